// The built Marvolenzik.lv2 as LV2 hosts see it: its description read by lilv (ports,
// ranges, units, the latency and meter ports, the UI), its binaries' exports, and its sound
// through the real descriptor against the VST 2.4 build's.
#include <gtest/gtest.h>

#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>
#include <lv2/units/units.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include <sndfile.h>

#include "effect/EffectIdentity.h"
#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/Lv2StereoPlugin.h"
#include "tools/host/StereoPlugin.h"
#include "tests/host/TestAudio.h"
#include "tests/support/TestFiles.h"
#include "tests/support/XServer.h"

namespace {

using vsthost::StereoBuffer;

class Lv2Bundle : public ::testing::Test {
protected:
    vsthost::Lv2StereoPlugin plugin{MARVOLENZIK_LV2_BUNDLE};

    bool has(uint32_t index, const char* property) {
        LilvNode* node = lilv_new_uri(plugin.world(), property);
        const bool found = lilv_port_has_property(plugin.plugin(), lilv_plugin_get_port_by_index(plugin.plugin(), index), node);
        lilv_node_free(node);
        return found;
    }
    std::string unit(uint32_t index) {
        LilvNode* predicate = lilv_new_uri(plugin.world(), LV2_UNITS__unit);
        LilvNodes* units = lilv_port_get_value(plugin.plugin(), lilv_plugin_get_port_by_index(plugin.plugin(), index), predicate);
        std::string found = units ? lilv_node_as_uri(lilv_nodes_get_first(units)) : "";
        lilv_nodes_free(units);
        lilv_node_free(predicate);
        return found;
    }
};

TEST_F(Lv2Bundle, DescribesEveryPortFromTheParameterTable) {
    const LilvPlugin* p = plugin.plugin();
    EXPECT_EQ(plugin.identifier(), "https://marvolenzik.example/lv2/marvolenzik");
    EXPECT_EQ(plugin.effectName(), "Marvolenzik");
    EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(p))), LV2_CORE__CompressorPlugin);
    ASSERT_EQ(lilv_plugin_get_num_ports(p), 20u);
    ASSERT_EQ(plugin.parameterCount(), 11);
    for (int32_t i = 0; i < parameter::kActiveCount; ++i) {
        SCOPED_TRACE(parameter::name(i));
        const LilvPort* port = lilv_plugin_get_port_by_index(p, 4 + i);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, port)), parameter::kTable[i].symbol);
        const vsthost::PluginParameter shown = plugin.parameter(i);
        const parameter::RealRange range = parameter::realRange(i);
        EXPECT_EQ(shown.name, parameter::name(i));
        EXPECT_FLOAT_EQ(shown.minimum, range.minimum);
        EXPECT_FLOAT_EQ(shown.maximum, range.maximum);
        EXPECT_EQ(parameter::fromRealFloat(i, static_cast<float>(shown.defaultValue)), parameter::defaultValue(i))
            << "the default as written gives back the very default";
    }
    EXPECT_EQ(unit(4), LV2_UNITS__db);
    EXPECT_EQ(unit(6), LV2_UNITS__ms);
    EXPECT_EQ(unit(11), LV2_UNITS__pc);
    EXPECT_TRUE(has(12, LV2_CORE__toggled));
    EXPECT_TRUE(has(14, LV2_CORE__enumeration));
    ASSERT_TRUE(lilv_plugin_has_latency(p));
    EXPECT_EQ(lilv_plugin_get_latency_port_index(p), 15u);
    EXPECT_TRUE(plugin.outputValue("gr_left") && plugin.outputValue("output_level"));
}

TEST_F(Lv2Bundle, OffersItsEditorAsAnX11UiDrivenByIdle) {
    LilvUIs* uis = lilv_plugin_get_uis(plugin.plugin());
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    LilvNode* x11 = lilv_new_uri(plugin.world(), LV2_UI__X11UI);
    EXPECT_TRUE(lilv_ui_is_a(ui, x11));
    EXPECT_NE(std::string(lilv_node_as_uri(lilv_ui_get_binary_uri(ui))).find("Marvolenzik_ui.so"), std::string::npos);
    lilv_node_free(x11);
    lilv_uis_free(uis);
}

StereoBuffer render(vsthost::StereoPlugin& plugin, const StereoBuffer& input, int block) {
    StereoBuffer out;
    out.left.resize(input.left.size());
    out.right.resize(input.right.size());
    std::vector<float> l(input.left), r(input.right);
    for (std::size_t at = 0; at < l.size(); at += static_cast<std::size_t>(block)) {
        const int frames = static_cast<int>(std::min<std::size_t>(block, l.size() - at));
        plugin.process(l.data() + at, r.data() + at, out.left.data() + at, out.right.data() + at, frames);
    }
    return out;
}

bool same(const StereoBuffer& a, const StereoBuffer& b) {
    return std::memcmp(a.left.data(), b.left.data(), a.left.size() * 4) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), a.right.size() * 4) == 0;
}

TEST(Lv2Sound, TheDemoIsBitIdenticalToTheVst2BuildAtEveryRate) {
    for (const double rate : {44100.0, 48000.0, 96000.0}) {
        SCOPED_TRACE(rate);
        const StereoBuffer demo = vsthost::synthesiseDemoLoop(rate, 3.0);
        auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
        auto lv2 = vsthost::openStereoPlugin(MARVOLENZIK_LV2_BUNDLE);
        vst2->start(rate, 512);
        lv2->start(rate, 512);
        EXPECT_TRUE(same(render(*lv2, demo, 512), render(*vst2, demo, 512)));
    }
}

// Control ports hold single-precision real values; each stands for its normalised float.
TEST(Lv2Sound, SettingsInRealUnitsSoundAsTheirNormalisedValues) {
    const std::vector<std::pair<int, float>> settings{{parameter::kGain, 0.3f},     {parameter::kVolume, 0.8f},
                                                      {parameter::kAttack, 0.7f},   {parameter::kRelease, 0.9f},
                                                      {parameter::kRatio, 0.25f},   {parameter::kLeftGrid, 0.6f},
                                                      {parameter::kRightGrid, 0.9f}, {parameter::kDryWet, 0.75f},
                                                      {parameter::kSidechain, 0.5f}};
    const StereoBuffer demo = vsthost::synthesiseDemoLoop(44100.0, 2.0);
    auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    auto lv2 = vsthost::openStereoPlugin(MARVOLENZIK_LV2_BUNDLE);
    for (const auto& [index, value] : settings) {
        vst2->setValue(index, value);
        lv2->setValue(index, parameter::toRealFloat(index, value));
    }
    vst2->start(44100.0, 512);
    lv2->start(44100.0, 512);
    EXPECT_TRUE(same(render(*lv2, demo, 512), render(*vst2, demo, 512)));
}

// A change between two blocks sounds from the next block on, as in the VST 2.4 build.
TEST(Lv2Sound, AControlChangeLandsAtTheNextBlock) {
    const StereoBuffer demo = vsthost::synthesiseDemoLoop(48000.0, 1.5);
    auto steady = vsthost::openStereoPlugin(MARVOLENZIK_LV2_BUNDLE);
    auto changed = vsthost::openStereoPlugin(MARVOLENZIK_LV2_BUNDLE);
    auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    for (auto* p : {steady.get(), changed.get(), vst2.get()}) p->start(48000.0, 512);
    constexpr int kBlock = 512;
    std::vector<float> l(demo.left), r(demo.right);
    std::vector<float> a(kBlock), b(kBlock), c(kBlock), d(kBlock), e(kBlock), f(kBlock);
    const std::size_t last = (l.size() / kBlock - 1) * kBlock;
    for (std::size_t at = 0; at <= last; at += kBlock) {
        if (at == last) {
            changed->setValue(parameter::kRatio, 5.0);
            vst2->setValue(parameter::kRatio, 0.05);
        }
        steady->process(l.data() + at, r.data() + at, a.data(), b.data(), kBlock);
        changed->process(l.data() + at, r.data() + at, c.data(), d.data(), kBlock);
        vst2->process(l.data() + at, r.data() + at, e.data(), f.data(), kBlock);
        if (at < last) {
            ASSERT_EQ(a, c) << "before the change";
        }
    }
    EXPECT_NE(a, c) << "the change sounds in the block after it";
    EXPECT_EQ(c, e);
    EXPECT_EQ(d, f);
}

// lilv's own command-line host, finding the bundle through LV2_PATH as installed hosts do.
TEST(Lv2Sound, AThirdPartyHostHearsWhatTheVst2BuildPlays) {
#ifdef MARVOLENZIK_SANITIZED
    GTEST_SKIP() << "a sanitized plug-in cannot be loaded into an uninstrumented host";
#endif
    if (!haveProgram("lv2apply")) GTEST_SKIP() << "lv2apply is not available";
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("lv2"));
    std::filesystem::create_directory_symlink(MARVOLENZIK_LV2_BUNDLE, folder.file("lv2/Marvolenzik.lv2"));
    const AudioFile input{48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, testSignal(2, 60000)};
    writeAudioFile(folder.file("in.wav"), input);
    const CommandResult run = runCommand({"env", "LV2_PATH=" + folder.file("lv2"), "lv2apply", "-i", folder.file("in.wav"),
                                          "-o", folder.file("out.wav"), "-c", "ratio", "30", "-c", "gain", "12",
                                          kLv2Uri});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const AudioFile output = readAudioFile(folder.file("out.wav"));

    auto vst2 = vsthost::openStereoPlugin(MARVOLENZIK_PLUGIN_PATH);
    vst2->setValue(parameter::kRatio, 0.3);
    vst2->setValue(parameter::kGain, 0.24);
    vst2->start(48000.0, 512);
    const StereoBuffer expected = render(*vst2, {48000.0, input.samples[0], input.samples[1]}, 512);
    ASSERT_EQ(output.channels, 2);
    EXPECT_EQ(output.samples[0], expected.left);
    EXPECT_EQ(output.samples[1], expected.right);
}

}  // namespace
