// An LV2 plug-in as LV2 hosts meet it: its description read through lilv, instances at
// every rate coming and going, control ports in and far out of their ranges, and its run
// calls: random block lengths, hostile signals, two instances agreeing, no allocation.
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <vector>

#include "tools/validator/AudioCallChecks.h"
#include "tools/validator/Breadcrumb.h"
#include "tools/validator/Check.h"
#include "tools/validator/CheckedBlock.h"
#include "tools/validator/TestedLv2Plugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 256;
constexpr int kBlocks = 200;
constexpr int kInstances = 16;
constexpr int kMostAudioPorts = 64;
// One second of blocks, for a plug-in to settle after the last hostile value.
constexpr int kSettleBlocks = static_cast<int>(kRate) / kBlock;

// What the host offers plug-ins: anything else a plug-in requires, it cannot have.
const std::set<std::string> kOfferedFeatures{LV2_URID__map, LV2_URID__unmap, LV2_OPTIONS__options,
                                             LV2_BUF_SIZE__boundedBlockLength};

std::string checkLoad(CheckContext& context) {
    TestedLv2Plugin tested(context);
    vsthost::Lv2StereoPlugin& plugin = tested.plugin();
    if (plugin.identifier().empty() || plugin.effectName().empty()) fail("the plug-in has no URI or no name");
    LilvNodes* required = lilv_plugin_get_required_features(plugin.plugin());
    std::string missing;
    LILV_FOREACH (nodes, i, required) {
        const std::string feature = lilv_node_as_uri(lilv_nodes_get(required, i));
        if (!kOfferedFeatures.contains(feature)) missing += (missing.empty() ? "" : ", ") + feature;
    }
    lilv_nodes_free(required);
    if (!missing.empty()) skip("the plug-in requires what this host does not offer: " + missing);
    const uint32_t ports = lilv_plugin_get_num_ports(plugin.plugin());
    LilvNode* audio = lilv_new_uri(plugin.world(), LV2_CORE__AudioPort);
    const uint32_t audioPorts = lilv_plugin_get_num_ports_of_class(plugin.plugin(), audio, nullptr);
    lilv_node_free(audio);
    if (audioPorts > kMostAudioPorts) fail(describe("implausible number of audio ports: %u", audioPorts));
    for (int index = 0; index < plugin.parameterCount(); ++index) {
        const vsthost::PluginParameter control = plugin.parameter(index);
        if (!(control.minimum <= control.defaultValue && control.defaultValue <= control.maximum))
            fail(describe("control '%s': its default %g lies outside its range %g to %g", control.name.c_str(),
                          control.defaultValue, control.minimum, control.maximum));
    }
    tested.start(kRate, kBlock);
    AudioBuffers buffers = tested.makeBuffers(kBlock);
    fillQuietNoise(buffers, kBlock, context.random());
    tested.processSane(buffers, kBlock, "the first block");
    LilvUIs* uis = lilv_plugin_get_uis(plugin.plugin());
    const unsigned interfaces = lilv_uis_size(uis);
    lilv_uis_free(uis);
    return describe("\"%s\" (%s): %u ports (%u audio), %d control inputs, %u UI(s); defaults within their ranges",
                    plugin.effectName().c_str(), plugin.identifier().c_str(), ports, audioPorts,
                    plugin.parameterCount(), interfaces);
}

std::string checkManyInstances(CheckContext& context) {
    return playManyInstances<TestedLv2Plugin>(context, kInstances, kRate, kBlock);
}

std::string checkSampleRates(CheckContext& context) {
    const double rates[] = {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0};
    TestedLv2Plugin plugin(context);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    for (const double rate : rates) {
        // The same plug-in made again at each rate, as a host does when the session's changes.
        plugin.start(rate, kBlock);
        for (int block = 0; block < 50; ++block) {
            fillQuietNoise(buffers, kBlock, context.random());
            plugin.processSane(buffers, kBlock, describe("at %.0f Hz", rate));
        }
    }
    return "instantiated and run at 22050, 44100, 48000, 88200, 96000 and 192000 Hz: output sane";
}

// A random value within a control's range.
float anyValueOf(const vsthost::PluginParameter& control, Random& random) {
    return static_cast<float>(control.minimum + (control.maximum - control.minimum) * random.uniform(0.0f, 1.0f));
}

std::string checkInRange(CheckContext& context) {
    TestedLv2Plugin tested(context);
    vsthost::Lv2StereoPlugin& plugin = tested.plugin();
    if (plugin.parameterCount() == 0) skip("the plug-in has no control inputs");
    tested.start(kRate, kBlock);
    AudioBuffers buffers = tested.makeBuffers(kBlock);
    for (int block = 0; block < kBlocks; ++block) {
        const int index = context.random().integer(0, plugin.parameterCount() - 1);
        const vsthost::PluginParameter control = plugin.parameter(index);
        const float value = context.random().chance(0.2) ? static_cast<float>(context.random().chance(0.5) ? control.minimum : control.maximum)
                                                        : anyValueOf(control, context.random());
        plugin.setValue(index, value);
        fillQuietNoise(buffers, kBlock, context.random());
        const std::string situation = describe("control '%s' at %g", control.name.c_str(), static_cast<double>(value));
        requireFinite(tested.process(buffers, kBlock, situation), situation);
    }
    return describe("%d blocks, each after a control moved within its range (its ends included): output finite", kBlocks);
}

std::string checkOutOfRange(CheckContext& context) {
    const float hostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 1e30f, -1e30f,
                             std::numeric_limits<float>::denorm_min()};
    TestedLv2Plugin tested(context);
    vsthost::Lv2StereoPlugin& plugin = tested.plugin();
    if (plugin.parameterCount() == 0) skip("the plug-in has no control inputs");
    tested.start(kRate, kBlock);
    AudioBuffers buffers = tested.makeBuffers(kBlock);
    for (int index = 0; index < plugin.parameterCount(); ++index) {
        const vsthost::PluginParameter control = plugin.parameter(index);
        const double span = control.maximum - control.minimum;
        std::vector<float> values(std::begin(hostile), std::end(hostile));
        values.push_back(static_cast<float>(control.minimum - 10.0 * span - 1.0));
        values.push_back(static_cast<float>(control.maximum + 10.0 * span + 1.0));
        for (const float value : values) {
            noteStep("control %d ('%s') set to %g", index, control.name.c_str(), static_cast<double>(value));
            plugin.setValue(index, value);
            fillQuietNoise(buffers, kBlock, context.random());
            const std::string situation = describe("control '%s' set to %g", control.name.c_str(), static_cast<double>(value));
            requireFinite(tested.process(buffers, kBlock, situation), situation);
        }
        plugin.setValue(index, control.defaultValue);
    }
    for (int block = 0; block < kSettleBlocks; ++block) {
        fillQuietNoise(buffers, kBlock, context.random());
        requireFinite(tested.process(buffers, kBlock, "after hostile values"), "after hostile values, defaults restored");
    }
    return describe("NaN, infinities, huge, subnormal and far-out values on each of %d control inputs: output finite",
                    plugin.parameterCount());
}

std::string checkBlockSizes(CheckContext& context) {
    TestedLv2Plugin plugin(context);
    const int largest = context.random().integer(64, 4096);
    plugin.start(kRate, largest);
    return playRandomBlockSizes(plugin, largest, kBlocks, context.random());
}

// Two instances hear the same signal and the same control changes: they must agree.
std::string checkDeterminism(CheckContext& context) {
    TestedLv2Plugin first(context), second(context);
    first.start(kRate, kBlock);
    second.start(kRate, kBlock);
    AudioBuffers a = first.makeBuffers(kBlock), b = second.makeBuffers(kBlock);
    const int controls = first.plugin().parameterCount();
    int changes = 0;
    for (int block = 0; block < kBlocks; ++block) {
        if (controls > 0 && context.random().chance(0.3)) {
            const int index = context.random().integer(0, controls - 1);
            const float value = anyValueOf(first.plugin().parameter(index), context.random());
            first.plugin().setValue(index, value);
            second.plugin().setValue(index, value);
            ++changes;
        }
        fillQuietNoise(a, kBlock, context.random());
        for (int channel = 0; channel < a.inputCount(); ++channel)
            std::memcpy(b.input(channel), a.input(channel), kBlock * sizeof(float));
        const std::string situation = describe("block %d", block);
        playAlike(first, a, second, b, kBlock, situation);
    }
    return describe("%d blocks with %d control changes: two instances agree bit for bit", kBlocks, changes);
}

std::string checkHostileSignals(CheckContext& context) {
    TestedLv2Plugin plugin(context);
    plugin.start(kRate, kBlock);
    return playHostileSignals(plugin, kBlock, context.random());
}

std::string checkNoAllocation(CheckContext& context) {
    if (!AllocationCounter::available()) skip("this build cannot count allocations");
    TestedLv2Plugin tested(context);
    tested.start(kRate, kBlock);
    vsthost::Lv2StereoPlugin& plugin = tested.plugin();
    const AllocationCount total = countAudioCallAllocations(tested, kBlock, kBlocks, context.random(), [&](int) {
        if (plugin.parameterCount() == 0 || !context.random().chance(0.3)) return;
        const int index = context.random().integer(0, plugin.parameterCount() - 1);
        plugin.setValue(index, anyValueOf(plugin.parameter(index), context.random()));
    });
    if (total.any())
        fail(describe("%ld allocations and %ld releases in %d run calls", total.allocations, total.releases, kBlocks));
    return describe("no allocation in %d run calls with control changes", kBlocks);
}

}  // namespace

Group lv2LoadChecks() { return {"lv2.load", {{"lv2.load", &checkLoad}}}; }

Group lv2LifecycleChecks() {
    return {"lv2.lifecycle",
            {{"lv2.lifecycle.many-instances", &checkManyInstances},
             {"lv2.lifecycle.sample-rates", &checkSampleRates}}};
}

Group lv2ParameterChecks() {
    return {"lv2.parameters",
            {{"lv2.parameters.in-range", &checkInRange}, {"lv2.parameters.out-of-range", &checkOutOfRange}}};
}

Group lv2ProcessingChecks() {
    return {"lv2.processing",
            {{"lv2.processing.block-sizes", &checkBlockSizes},
             {"lv2.processing.determinism", &checkDeterminism},
             {"lv2.processing.hostile-signals", &checkHostileSignals},
             {"lv2.processing.no-allocation", &checkNoAllocation}}};
}

}  // namespace validator
