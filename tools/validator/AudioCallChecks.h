// Checks of the audio calls that read the same in every format: any tested plug-in with
// makeBuffers(capacity), process(buffers, frames, situation[, allocations]) and
// processSane(buffers, frames, situation), already started.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/validator/AllocationCounter.h"
#include "tools/validator/Check.h"
#include "tools/validator/Signals.h"
#include "tools/validator/Verdict.h"

namespace validator {

// `count` instances made and started (Tested(context), start(rate, block)), all
// processing, then destroyed in random order while the others go on.
template <typename Tested>
std::string playManyInstances(CheckContext& context, int count, double rate, int block) {
    std::vector<std::unique_ptr<Tested>> live;
    for (int i = 0; i < count; ++i) {
        live.push_back(std::make_unique<Tested>(context));
        live.back()->start(rate, block);
    }
    AudioBuffers buffers = live.front()->makeBuffers(block);
    const auto processAll = [&](const char* when) {
        fillQuietNoise(buffers, block, context.random());
        for (auto& plugin : live) plugin->processSane(buffers, block, when);
    };
    processAll("all instances processing");
    while (!live.empty()) {
        live.erase(live.begin() + context.random().integer(0, static_cast<int>(live.size()) - 1));
        if (!live.empty()) processAll("processing after another instance was destroyed");
    }
    return describe("%d instances made, all processing, destroyed in random order", count);
}

// Plays a block through two instances given the same input and the same changes: both
// outputs finite and alike bit for bit, or the check fails.
template <typename Plugin>
void playAlike(Plugin& first, AudioBuffers& a, Plugin& second, AudioBuffers& b, int frames,
               const std::string& situation) {
    requireFinite(first.process(a, frames, situation), situation);
    requireFinite(second.process(b, frames, situation), situation);
    for (int channel = 0; channel < a.outputCount(); ++channel)
        if (std::memcmp(a.output(channel), b.output(channel), static_cast<std::size_t>(frames) * sizeof(float)) != 0)
            fail(situation + ": two instances given the same input and changes sound different");
}

// Blocks of random sizes up to `largest`, one in ten of 0 to 2 frames: buffers kept,
// output sane.
template <typename Plugin>
std::string playRandomBlockSizes(Plugin& plugin, int largest, int blocks, Random& random) {
    AudioBuffers buffers = plugin.makeBuffers(largest);
    long frames = 0;
    for (int block = 0; block < blocks; ++block) {
        const int size = random.chance(0.1) ? random.integer(0, 2) : random.integer(1, largest);
        fillQuietNoise(buffers, size, random);
        plugin.processSane(buffers, size, describe("a block of %d frames", size));
        frames += size;
    }
    return describe("%d blocks of 0 to %d frames, %ld frames in all: buffers kept, output sane", blocks, largest, frames);
}

// Silence, full-scale noise, DC, impulses and subnormals must give finite output; NaN and
// infinities may pass through but not stay.
template <typename Plugin>
std::string playHostileSignals(Plugin& plugin, int block, Random& random) {
    AudioBuffers buffers = plugin.makeBuffers(block);
    long position = 0;
    for (const Signal signal : {Signal::Silence, Signal::Noise, Signal::Dc, Signal::Impulses, Signal::Subnormals}) {
        for (int i = 0; i < 16; ++i, position += block) {
            fillInputs(buffers, signal, block, position, random);
            requireFinite(plugin.process(buffers, block, signalName(signal)), signalName(signal));
        }
    }
    for (const Signal signal : {Signal::NotANumber, Signal::PlusInfinity, Signal::MinusInfinity}) {
        fillInputs(buffers, signal, block, position, random);
        plugin.process(buffers, block, signalName(signal));
        // Quiet input afterwards must come out finite within a second or so.
        bool recovered = false;
        for (int i = 0; i < 200 && !recovered; ++i) {
            fillQuietNoise(buffers, block, random);
            recovered = plugin.process(buffers, block, describe("after %s", signalName(signal))).nonFinite == 0;
        }
        if (!recovered) fail(describe("after a block of %s the output stays non-finite", signalName(signal)));
    }
    return "silence, full-scale noise, DC, impulses and subnormals give finite output; NaN and infinities pass";
}

// The allocations made inside `blocks` audio calls, after a few to settle what a plug-in
// prepares lazily; `beforeBlock(block)` may change a parameter first.
template <typename Plugin, typename BeforeBlock>
AllocationCount countAudioCallAllocations(Plugin& plugin, int block, int blocks, Random& random,
                                          BeforeBlock&& beforeBlock) {
    AudioBuffers buffers = plugin.makeBuffers(block);
    for (int i = 0; i < 4; ++i) {
        fillQuietNoise(buffers, block, random);
        plugin.process(buffers, block, "settling");
    }
    AllocationCount total;
    for (int i = 0; i < blocks; ++i) {
        beforeBlock(i);
        fillQuietNoise(buffers, block, random);
        AllocationCount count;
        plugin.process(buffers, block, "counting allocations", &count);
        total += count;
    }
    return total;
}

}  // namespace validator
