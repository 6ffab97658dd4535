// A CLAP plug-in's file and descriptor, and instances coming and going through the
// activation and processing states in the orders hosts use.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/host/ClapLibrary.h"
#include "tools/validator/AudioCallChecks.h"
#include "tools/validator/Check.h"
#include "tools/validator/TestedClapPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kMostChannels = 64;
constexpr int kInstances = 16;
constexpr int kBlock = 256;
constexpr int kSteps = 300;

std::string checkLoad(CheckContext& context) {
    const vsthost::ClapLibrary& library = context.clapLibrary();
    const uint32_t count = library.factory()->get_plugin_count(library.factory());
    if (count == 0) fail("the factory offers no plug-in");
    const clap_plugin_descriptor_t* d = library.firstDescriptor();
    if (!d || !d->id || !*d->id || !d->name || !*d->name) fail("the first descriptor lacks an id or a name");
    if (!clap_version_is_compatible(d->clap_version)) fail("the descriptor's CLAP version is incompatible");
    TestedClapPlugin plugin(context);
    if (plugin.inputs() > kMostChannels || plugin.outputs() > kMostChannels)
        fail(describe("implausible channels: %d in, %d out", plugin.inputs(), plugin.outputs()));
    const auto& i = plugin.instance();
    std::string extensions;
    const auto offer = [&](const void* extension, const char* name) {
        if (extension) extensions += (extensions.empty() ? "" : ", ") + std::string(name);
    };
    offer(i.params(), "params");
    offer(i.state(), "state");
    offer(i.latency(), "latency");
    offer(i.gui(), "gui");
    offer(i.timerSupport(), "timer-support");
    offer(i.descriptorSupport(), "posix-fd-support");
    offer(i.gainMetering(), "gain-adjustment-metering");
    return describe("\"%s\" (%s): %u plug-in(s), %d in, %d out; %s", d->name, d->id, count, plugin.inputs(),
                    plugin.outputs(), extensions.c_str());
}

std::string checkManyInstances(CheckContext& context) {
    return playManyInstances<TestedClapPlugin>(context, kInstances, 48000.0, kBlock);
}

// Random walks through the states: activate (at random rates and block sizes), start and
// stop processing, reset, process, deactivate, as the interface allows them in each state.
std::string checkStateWalks(CheckContext& context) {
    TestedClapPlugin plugin(context);
    auto& instance = plugin.instance();
    const double rates[] = {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0};
    int largest = kBlock;
    AudioBuffers buffers = plugin.makeBuffers(8192);
    int activations = 0, blocks = 0;
    for (int step = 0; step < kSteps; ++step) {
        switch (context.random().integer(0, 4)) {
            case 0:
                if (instance.active()) break;
                largest = context.random().integer(1, 8192);
                if (!instance.activate(rates[context.random().integer(0, 5)], static_cast<uint32_t>(largest)))
                    fail("activate was refused");
                ++activations;
                break;
            case 1:
                if (instance.active() && !instance.startProcessing()) fail("start_processing was refused");
                break;
            case 2:
                if (instance.processing()) {
                    instance.host().enterAudioThread();
                    plugin.plugin()->reset(plugin.plugin());
                    instance.host().leaveAudioThread();
                }
                break;
            case 3:
                if (instance.processing()) {
                    const int frames = context.random().integer(0, largest);
                    fillQuietNoise(buffers, frames, context.random());
                    requireFinite(plugin.process(buffers, frames, "a block in a random walk"), "a block in a random walk");
                    ++blocks;
                }
                break;
            default:
                if (context.random().chance(0.5))
                    instance.stopProcessing();
                else
                    instance.deactivate();
                break;
        }
    }
    plugin.requireThreadRules();
    return describe("%d steps: %d activations, %d blocks, finite output throughout", kSteps, activations, blocks);
}

}  // namespace

Group clapLoadChecks() { return {"clap.load", {{"clap.load", &checkLoad}}}; }

Group clapLifecycleChecks() {
    return {"clap.lifecycle",
            {{"clap.lifecycle.many-instances", &checkManyInstances},
             {"clap.lifecycle.state-walks", &checkStateWalks}}};
}

}  // namespace validator
