// Instances coming and going, and the order of open, close, suspend and resume requests
// that hosts really send.
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "tools/validator/Check.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kInstances = 32;
constexpr int kBlock = 256;
constexpr float kRate = 48000.0f;

std::string checkManyInstances(CheckContext& context) {
    std::vector<std::unique_ptr<TestedPlugin>> live;
    std::set<const AEffect*> records;
    for (int i = 0; i < kInstances; ++i) {
        live.push_back(std::make_unique<TestedPlugin>(context));
        live.back()->start(kRate, kBlock);
        records.insert(&live.back()->record());
    }
    if (static_cast<int>(records.size()) != kInstances)
        fail(describe("%d instances share %zu records", kInstances, records.size()));
    AudioBuffers buffers = live.front()->makeBuffers(kBlock);
    auto processAll = [&](const char* when) {
        fillQuietNoise(buffers, kBlock, context.random());
        for (auto& plugin : live) plugin->processSane(buffers, kBlock, when);
    };
    processAll("all 32 instances processing");
    while (!live.empty()) {
        const int victim = context.random().integer(0, static_cast<int>(live.size()) - 1);
        live[victim]->suspend();
        live[victim]->close();
        live.erase(live.begin() + victim);
        processAll("processing after another instance was closed");
    }
    return describe("%d instances created, all processing, closed in random order", kInstances);
}

enum class Step { Open, Resume, Suspend, Process };

struct Sequence {
    const char* name;
    std::vector<Step> steps;  // effClose follows the last
};

const std::vector<Sequence>& sequences() {
    static const std::vector<Sequence> all{
        {"closed at once, never opened", {}},
        {"opened and closed", {Step::Open}},
        {"opened twice", {Step::Open, Step::Open}},
        {"closed while resumed", {Step::Open, Step::Resume}},
        {"never opened, resumed and processing", {Step::Resume, Step::Process, Step::Suspend}},
        {"resumed twice, suspended twice",
         {Step::Open, Step::Resume, Step::Resume, Step::Process, Step::Suspend, Step::Suspend}},
        {"processing again after a suspend",
         {Step::Open, Step::Resume, Step::Process, Step::Suspend, Step::Resume, Step::Process}},
    };
    return all;
}

void runSequence(CheckContext& context, const Sequence& sequence) {
    TestedPlugin plugin(context, TestedPlugin::Opening::LeaveUnopened);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    for (const Step step : sequence.steps) {
        switch (step) {
            case Step::Open: plugin.dispatch(effOpen); break;
            case Step::Resume: plugin.resume(); break;
            case Step::Suspend: plugin.suspend(); break;
            case Step::Process:
                fillQuietNoise(buffers, kBlock, context.random());
                plugin.processSane(buffers, kBlock, sequence.name);
                break;
        }
    }
    plugin.close();
}

std::string checkOpenCloseSequences(CheckContext& context) {
    std::vector<const Sequence*> order;
    for (const Sequence& sequence : sequences()) order.insert(order.end(), 2, &sequence);
    std::shuffle(order.begin(), order.end(), std::mt19937_64(context.random().bits()));
    for (const Sequence* sequence : order) runSequence(context, *sequence);
    // Whatever the sequences left behind in the library must not reach a new instance.
    TestedPlugin fresh(context);
    fresh.start(kRate, kBlock);
    AudioBuffers buffers = fresh.makeBuffers(kBlock);
    fillQuietNoise(buffers, kBlock, context.random());
    fresh.processSane(buffers, kBlock, "a new instance after the sequences");
    return describe("%zu sequences of open, resume, process, suspend and close, twice each, in random order",
                    sequences().size());
}

std::string checkSuspendResume(CheckContext& context) {
    constexpr int kBlocks = 300;
    TestedPlugin plugin(context);
    plugin.start(kRate, kBlock);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    Random& random = context.random();
    int toggles = 0, processed = 0;
    for (int block = 0; block < kBlocks; ++block) {
        const int roll = random.integer(0, 99);
        if (roll < 15) {
            plugin.suspend();
            if (roll < 4) plugin.suspend();
            ++toggles;
        } else if (roll < 30) {
            plugin.resume();
            if (roll < 19) plugin.resume();
            ++toggles;
        }
        if (!plugin.resumed()) continue;
        const int frames = random.integer(1, kBlock);
        fillQuietNoise(buffers, frames, random);
        plugin.processSane(buffers, frames, describe("block %d, after %d suspend/resume toggles", block, toggles));
        ++processed;
    }
    return describe("%d blocks processed between %d random suspend/resume toggles (some doubled)",
                    processed, toggles);
}

std::string checkProcessWithoutResume(CheckContext& context) {
    constexpr int kBlocks = 16;
    TestedPlugin plugin(context);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    for (int block = 0; block < kBlocks; ++block) {
        fillQuietNoise(buffers, kBlock, context.random());
        plugin.processSane(buffers, kBlock, "processing with no sample rate, block size or resume");
    }
    return describe("%d blocks processed after effOpen alone (no rate, block size or resume)", kBlocks);
}

}  // namespace

Group lifecycleChecks() {
    return {"lifecycle",
            {{"lifecycle.many-instances", &checkManyInstances},
             {"lifecycle.open-close-sequences", &checkOpenCloseSequences},
             {"lifecycle.suspend-resume", &checkSuspendResume},
             {"lifecycle.process-without-resume", &checkProcessWithoutResume}}};
}

}  // namespace validator
