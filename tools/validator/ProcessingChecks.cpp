// Audio through processReplacing: block sizes, sample rates, hostile signals, the buffer
// rules, in-place processing and allocation inside the audio call.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "tools/validator/Check.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr float kRate = 48000.0f;
constexpr int kLargestBlock = 8192;
constexpr int kBlockSizes[] = {0, 1, 2, 3, 7, 64, 511, 4096, 8192};
constexpr float kRates[] = {22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
// After a non-finite input burst the output may take this long to be finite again.
constexpr double kSettleSeconds = 1.0;

std::string checkBlockSizes(CheckContext& context) {
    constexpr int kRandomBlocks = 200;
    TestedPlugin plugin(context);
    plugin.start(kRate, kLargestBlock);
    AudioBuffers buffers = plugin.makeBuffers(kLargestBlock);
    Random& random = context.random();
    auto block = [&](int frames, const std::string& situation) {
        fillQuietNoise(buffers, frames, random);
        plugin.processSane(buffers, frames, situation);
    };
    for (const int frames : kBlockSizes)
        for (int repeat = 0; repeat < 3; ++repeat) block(frames, describe("blocks of %d frames", frames));
    for (int i = 0; i < kRandomBlocks; ++i) {
        const int frames = random.chance(0.5) ? kBlockSizes[random.integer(0, std::size(kBlockSizes) - 1)]
                                              : random.integer(0, kLargestBlock);
        block(frames, describe("random block sizes, block %d of %d frames", i, frames));
    }
    return describe("block sizes 0, 1, 2, 3, 7, 64, 511, 4096, 8192 and %d random ones", kRandomBlocks);
}

std::string checkSampleRates(CheckContext& context) {
    constexpr int kBlock = 512;
    constexpr int kChanges = 40;
    TestedPlugin plugin(context);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random& random = context.random();
    auto run = [&](float rate, int blocks) {
        plugin.start(rate, kBlock);
        for (int i = 0; i < blocks; ++i) {
            fillQuietNoise(buffers, kBlock, random);
            plugin.processSane(buffers, kBlock, describe("at %.0f Hz", static_cast<double>(rate)));
        }
    };
    for (const float rate : kRates) run(rate, static_cast<int>(rate / 4 / kBlock));
    for (int change = 0; change < kChanges; ++change)
        run(kRates[random.integer(0, std::size(kRates) - 1)], random.integer(1, 8));
    return describe("rates 22050 to 192000 Hz, each for 0.25 s, then %d random changes between blocks "
                    "(suspend, rate, resume)", kChanges);
}

std::string checkSignals(CheckContext& context) {
    constexpr int kBlock = 512;
    const int blocksEach = static_cast<int>(kRate / 2) / kBlock;
    std::vector<Signal> signals{Signal::Silence, Signal::Noise, Signal::Dc, Signal::Impulses, Signal::Subnormals};
    Random& random = context.random();
    std::shuffle(signals.begin(), signals.end(), std::mt19937_64(random.bits()));
    TestedPlugin plugin(context);
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    float loudest = 0.0f;
    long position = 0;
    for (const Signal signal : signals) {
        for (int i = 0; i < blocksEach; ++i) {
            fillInputs(buffers, signal, kBlock, position, random);
            position += kBlock;
            const OutputScan scan = plugin.process(buffers, kBlock, signalName(signal));
            const std::string problem = saneOutputProblem(scan);
            if (!problem.empty()) fail(describe("%s, block %d: %s", signalName(signal), i, problem.c_str()));
            loudest = std::max(loudest, scan.peak);
        }
    }
    return describe("silence, full-scale noise, DC, impulses and subnormal input, 0.5 s each: output "
                    "finite, no subnormals, peak %.1f dBFS (ceiling +24)",
                    loudest > 0 ? 20.0 * std::log10(static_cast<double>(loudest)) : -999.0);
}

std::string checkNonFiniteInput(CheckContext& context) {
    constexpr int kBlock = 256;
    const int settleBlocks = static_cast<int>(kSettleSeconds * kRate) / kBlock;
    const int checkedBlocks = static_cast<int>(kRate / 2) / kBlock;
    Random& random = context.random();
    TestedPlugin plugin(context);
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    double slowestSettle = 0.0;
    for (const Signal burst : {Signal::NotANumber, Signal::PlusInfinity, Signal::MinusInfinity}) {
        for (const bool oneChannel : {true, false}) {
            const std::string what = describe("%s burst in %s", signalName(burst), oneChannel ? "one channel" : "every channel");
            for (int i = 0; i < 20; ++i) {
                fillQuietNoise(buffers, kBlock, random);
                plugin.processSane(buffers, kBlock, "noise before a " + what);
            }
            // The burst: a stretch of non-finite samples inside one block.
            fillQuietNoise(buffers, kBlock, random);
            const int start = random.integer(0, kBlock - 1);
            const int length = random.integer(1, kBlock - start);
            for (int c = 0; c < (oneChannel ? std::min(1, buffers.inputCount()) : buffers.inputCount()); ++c)
                for (int n = start; n < start + length; ++n)
                    buffers.input(c)[n] = burst == Signal::NotANumber ? NAN : burst == Signal::PlusInfinity ? INFINITY : -INFINITY;
            plugin.process(buffers, kBlock, what);
            long lastNonFinite = -1;
            for (int i = 0; i < settleBlocks + checkedBlocks; ++i) {
                fillQuietNoise(buffers, kBlock, random);
                const OutputScan scan = plugin.process(buffers, kBlock, "finite input after a " + what);
                if (scan.nonFinite > 0) lastNonFinite = static_cast<long>(i) * kBlock + kBlock;
                if (i >= settleBlocks) {
                    const std::string problem = saneOutputProblem(scan);
                    if (!problem.empty())
                        fail(describe("%s: %s, %.0f ms after the input was finite again", what.c_str(),
                                      problem.c_str(), 1000.0 * i * kBlock / kRate));
                }
            }
            slowestSettle = std::max(slowestSettle, (lastNonFinite + 1) / static_cast<double>(kRate));
        }
    }
    return describe("NaN, +inf and -inf bursts in one and in every channel: output finite again within "
                    "%.0f ms (allowed %.0f ms), then sane", 1000.0 * slowestSettle, 1000.0 * kSettleSeconds);
}

std::string checkBufferRules(CheckContext& context) {
    constexpr int kBlocks = 300;
    constexpr int kCapacity = 4096;
    TestedPlugin plugin(context);
    plugin.start(kRate, kCapacity);
    AudioBuffers buffers = plugin.makeBuffers(kCapacity);
    Random& random = context.random();
    const Signal signals[] = {Signal::QuietNoise, Signal::Noise, Signal::Impulses, Signal::Silence};
    long position = 0;
    for (int i = 0; i < kBlocks; ++i) {
        const int frames = random.integer(0, kCapacity);
        fillInputs(buffers, signals[random.integer(0, 3)], frames, position, random);
        position += frames;
        plugin.process(buffers, frames, describe("block %d of %d frames", i, frames));
    }
    return describe("%d blocks of random sizes: inputs never written, every output frame written, "
                    "nothing written past a block's end", kBlocks);
}

// Runs the same random blocks through two instances, `b` in place; the first difference.
std::string inPlaceDifference(TestedPlugin& a, TestedPlugin& b, bool bInPlace, std::uint64_t seed) {
    constexpr int kBlock = 512;
    constexpr int kBlocks = 60;
    a.start(kRate, kBlock);
    b.start(kRate, kBlock);
    AudioBuffers outOfPlace = a.makeBuffers(kBlock);
    AudioBuffers other = b.makeBuffers(kBlock);
    other.setInPlace(bInPlace);
    Random random(seed);
    const Signal signals[] = {Signal::QuietNoise, Signal::Noise, Signal::Impulses};
    long position = 0;
    for (int block = 0; block < kBlocks; ++block) {
        const int frames = random.integer(1, kBlock);
        fillInputs(outOfPlace, signals[random.integer(0, 2)], frames, position, random);
        position += frames;
        for (int c = 0; c < other.inputCount(); ++c)
            std::memcpy(other.input(c), outOfPlace.input(c), sizeof(float) * frames);
        a.process(outOfPlace, frames, "out of place");
        b.process(other, frames, bInPlace ? "in place" : "out of place");
        for (int c = 0; c < outOfPlace.outputCount(); ++c)
            if (std::memcmp(outOfPlace.output(c), other.output(c), sizeof(float) * frames) != 0)
                return describe("block %d, output channel %d", block, c);
    }
    return {};
}

std::string checkInPlace(CheckContext& context) {
    const std::uint64_t seed = context.random().bits();
    TestedPlugin outOfPlace(context);
    if (outOfPlace.inputs() == 0 || outOfPlace.outputs() == 0) skip("the plug-in has no inputs or no outputs");
    TestedPlugin inPlace(context);
    const std::string difference = inPlaceDifference(outOfPlace, inPlace, true, seed);
    if (difference.empty())
        return "a fresh pair of instances: in-place output identical to out-of-place, bit for bit";
    TestedPlugin first(context), second(context);
    if (!inPlaceDifference(first, second, false, seed).empty())
        skip("two fresh instances differ even out of place (the plug-in is not deterministic)");
    fail("in-place output differs from out-of-place at " + difference);
}

std::string checkNoAllocation(CheckContext& context) {
    constexpr int kBlocks = 200;
    constexpr int kBlock = 512;
    if (!AllocationCounter::available()) skip("this build's sanitizer offers no allocation hooks");
    TestedPlugin plugin(context);
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random& random = context.random();
    AllocationCount inProcess, inAutomation;
    std::string firstSeen;
    for (int block = 0; block < kBlocks; ++block) {
        if (block == kBlocks / 2) plugin.start(44100.0f, kBlock);  // a restart midway
        if (plugin.parameterCount() > 0 && random.chance(0.5)) {
            // Automation reaches setParameter on a host's audio thread, between blocks.
            AllocationCounter::start();
            plugin.setParameter(random.integer(0, plugin.parameterCount() - 1), random.uniform(0.0f, 1.0f));
            const AllocationCount counted = AllocationCounter::stop();
            inAutomation += counted;
            if (firstSeen.empty() && counted.any())
                firstSeen = describe("setParameter before block %d", block);
        }
        const int frames = random.integer(1, kBlock);
        fillQuietNoise(buffers, frames, random);
        AllocationCount counted;
        plugin.process(buffers, frames, "counting allocations", &counted);
        inProcess += counted;
        if (firstSeen.empty() && counted.any())
            firstSeen = describe("processReplacing, block %d of %d frames", block, frames);
    }
    if (!firstSeen.empty())
        fail(describe("%ld allocations and %ld releases in processReplacing, %ld and %ld in setParameter "
                      "(first: %s)", inProcess.allocations, inProcess.releases, inAutomation.allocations,
                      inAutomation.releases, firstSeen.c_str()));
    return describe("no allocation or release in %d processReplacing calls (from the first after resume) "
                    "nor in the setParameter calls between them", kBlocks);
}

}  // namespace

Group processingChecks() {
    return {"processing",
            {{"processing.block-sizes", &checkBlockSizes},
             {"processing.sample-rates", &checkSampleRates},
             {"processing.signals", &checkSignals},
             {"processing.non-finite-input", &checkNonFiniteInput},
             {"processing.buffer-rules", &checkBufferRules},
             {"processing.in-place", &checkInPlace},
             {"processing.no-allocation", &checkNoAllocation}}};
}

}  // namespace validator
