// The Windows build of the plug-in loaded through its real entry point under wine, as a
// Windows host loads it: the record, the identity, parameters, audio and the editor's size.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

namespace {

class WindowsPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.ok()) << library.error();
        plugin = std::make_unique<vsthost::PluginInstance>(host, library);
        ASSERT_TRUE(plugin->ok());
    }
    vsthost::PluginLibrary library{MARVOLENZIK_PLUGIN_PATH};
    vsthost::Host host;
    std::unique_ptr<vsthost::PluginInstance> plugin;
};

TEST_F(WindowsPlugin, TheRecordAndIdentityAreThoseOfEveryBuild) {
    const AEffect& record = *plugin->effect();
    EXPECT_EQ(record.magic, kEffectMagic);
    EXPECT_EQ(record.flags, 17);
    EXPECT_EQ(record.numParams, 24);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.initialDelay, 3);
    EXPECT_EQ(record.uniqueID, 0x004D565A);
    EXPECT_EQ(plugin->text(effGetEffectName), "Marvolenzik");
    EXPECT_EQ(plugin->parameterName(10), "Sidechain");
    EXPECT_EQ(plugin->parameterDisplay(2), "0.200");
    ERect* rect = nullptr;
    ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, 1000);
    EXPECT_EQ(rect->bottom, 700);
}

TEST_F(WindowsPlugin, ProcessesFiniteAudioAfterItsWarmUp) {
    plugin->start(44100.0f, 512);
    std::vector<float> inLeft(512), inRight(512), outLeft(512), outRight(512);
    float* inputs[] = {inLeft.data(), inRight.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    double energy = 0.0;
    for (int block = 0; block < 120; ++block) {
        for (int i = 0; i < 512; ++i) inLeft[i] = inRight[i] = 0.5f * static_cast<float>(std::sin(0.05 * (block * 512 + i)));
        plugin->processReplacing(inputs, outputs, 512);
        for (int i = 0; i < 512; ++i) {
            ASSERT_TRUE(std::isfinite(outLeft[i]) && std::isfinite(outRight[i]));
            if (block > 100) energy += outLeft[i] * outLeft[i];
        }
    }
    EXPECT_GT(energy, 1.0) << "sound after the one-second warm-up";
}

}  // namespace
