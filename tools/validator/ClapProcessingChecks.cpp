// A CLAP plug-in's audio calls: blocks of random sizes, parameter events at random
// positions (the same events give the same sound), hostile signals, no allocation, and the
// main and audio threads meeting as they do in a host.
#include <atomic>
#include <cstring>
#include <thread>

#include "tools/validator/AudioCallChecks.h"
#include "tools/validator/Check.h"
#include "tools/validator/TestedClapPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kLargestBlock = 4096;
constexpr int kBlocks = 200;

std::string checkBlockSizes(CheckContext& context) {
    TestedClapPlugin plugin(context);
    const int largest = context.random().integer(64, kLargestBlock);
    plugin.start(48000.0, largest);
    return playRandomBlockSizes(plugin, largest, kBlocks, context.random());
}

// Two instances hear the same signal and the same events: their outputs must agree, and
// stay finite wherever the events fall.
std::string checkEventPositions(CheckContext& context) {
    TestedClapPlugin first(context), second(context);
    const auto infos = requireParameters(first);
    if (infos.empty()) skip("the plug-in has no parameters");
    constexpr int kBlock = 512;
    first.start(48000.0, kBlock);
    second.start(48000.0, kBlock);
    AudioBuffers a = first.makeBuffers(kBlock), b = second.makeBuffers(kBlock);
    int events = 0;
    for (int block = 0; block < kBlocks; ++block) {
        fillQuietNoise(a, kBlock, context.random());
        for (int channel = 0; channel < a.inputCount(); ++channel)
            std::memcpy(b.input(channel), a.input(channel), kBlock * sizeof(float));
        const int count = context.random().integer(0, 4);
        for (int e = 0; e < count; ++e) {
            const clap_param_info_t& info = infos[static_cast<std::size_t>(context.random().integer(0, static_cast<int>(infos.size()) - 1))];
            if (info.flags & CLAP_PARAM_IS_READONLY) continue;
            double value = info.min_value + (info.max_value - info.min_value) * context.random().uniform(0.0f, 1.0f);
            if (info.flags & CLAP_PARAM_IS_STEPPED) value = std::round(value);
            const auto at = static_cast<uint32_t>(context.random().integer(0, kBlock - 1));
            first.instance().queueValue(info.id, value, at);
            second.instance().queueValue(info.id, value, at);
            ++events;
        }
        const std::string situation = describe("block %d with %d event(s)", block, count);
        playAlike(first, a, second, b, kBlock, situation);
    }
    return describe("%d events at random positions in %d blocks: two instances agree, output finite", events, kBlocks);
}

std::string checkHostileSignals(CheckContext& context) {
    TestedClapPlugin plugin(context);
    constexpr int kBlock = 256;
    plugin.start(48000.0, kBlock);
    return playHostileSignals(plugin, kBlock, context.random());
}

std::string checkNoAllocation(CheckContext& context) {
    if (!AllocationCounter::available()) skip("this build cannot count allocations");
    TestedClapPlugin plugin(context);
    constexpr int kBlock = 512;
    plugin.start(48000.0, kBlock);
    std::vector<clap_param_info_t> infos;
    if (plugin.instance().params()) infos = plugin.instance().parameterInfos();
    const AllocationCount total = countAudioCallAllocations(plugin, kBlock, kBlocks, context.random(), [&](int) {
        if (infos.empty() || !context.random().chance(0.3)) return;
        const clap_param_info_t& info = infos[static_cast<std::size_t>(context.random().integer(0, static_cast<int>(infos.size()) - 1))];
        plugin.instance().queueValue(info.id, info.min_value + (info.max_value - info.min_value) * 0.5,
                                     static_cast<uint32_t>(context.random().integer(0, kBlock - 1)));
    });
    if (total.any())
        fail(describe("%ld allocations and %ld releases in %d audio calls", total.allocations, total.releases, kBlocks));
    return describe("no allocation in %d audio calls with parameter events", kBlocks);
}

// A host's two threads at once: the audio thread processes with events while the main
// thread reads values and texts and flushes nothing (the plug-in is processing). Every
// request the plug-in makes of the host must come from the thread the interface allows.
std::string checkThreads(CheckContext& context) {
    TestedClapPlugin plugin(context);
    constexpr int kBlock = 256;
    plugin.start(48000.0, kBlock);
    std::vector<clap_param_info_t> infos;
    if (plugin.instance().params()) infos = plugin.instance().parameterInfos();
    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};
    std::string audioFailure;
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random audioRandom(context.random().bits());
    std::thread audio([&] {
        while (running) {
            fillQuietNoise(buffers, kBlock, audioRandom);
            if (!infos.empty())
                plugin.instance().queueValue(infos[static_cast<std::size_t>(blocks % static_cast<int>(infos.size()))].id,
                                             infos[static_cast<std::size_t>(blocks % static_cast<int>(infos.size()))].default_value,
                                             static_cast<uint32_t>(audioRandom.integer(0, kBlock - 1)));
            const clap_process_status status = plugin.instance().process(buffers.inputPointers(), buffers.outputPointers(), kBlock);
            if (status == CLAP_PROCESS_ERROR && audioFailure.empty()) audioFailure = "process answered an error";
            ++blocks;
        }
    });
    int reads = 0;
    while (blocks < kBlocks) {
        for (const clap_param_info_t& info : infos) {
            const auto value = plugin.instance().value(info.id);
            if (value) plugin.instance().valueText(info.id, *value);
            ++reads;
        }
        plugin.instance().serviceEditor(false);
        std::this_thread::yield();
    }
    running = false;
    audio.join();
    if (!audioFailure.empty()) fail(audioFailure);
    plugin.requireThreadRules();
    return describe("%d blocks on an audio thread while the main thread read %d values and texts", blocks.load(), reads);
}

}  // namespace

Group clapProcessingChecks() {
    return {"clap.processing",
            {{"clap.processing.block-sizes", &checkBlockSizes},
             {"clap.processing.event-positions", &checkEventPositions},
             {"clap.processing.hostile-signals", &checkHostileSignals},
             {"clap.processing.no-allocation", &checkNoAllocation}}};
}

Group clapThreadChecks() { return {"clap.threads", {{"clap.threads.main-and-audio", &checkThreads}}}; }

}  // namespace validator
