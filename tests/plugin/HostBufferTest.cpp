// Writes into host buffers stay within their capacity, null buffers are refused, and
// values a host should never send are survived.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "LoadedPlugin.h"

namespace {

constexpr char kSentinel = '\x5a';

// Runs a text request into a sentinel-filled buffer; returns how many bytes were
// written, counting up to and including the terminating zero.
std::size_t bytesWritten(vsthost::PluginInstance& plugin, VstInt32 opcode, VstInt32 index = 0) {
    std::vector<char> buffer(512, kSentinel);
    plugin.dispatch(opcode, index, 0, buffer.data());
    std::size_t last = buffer.size();
    while (last > 0 && buffer[last - 1] == kSentinel) --last;
    return last;
}

TEST_F(PluginTest, TextsStayWithinTheirCapacities) {
    plugin->setParameter(0, 1e30f);
    plugin->setParameter(1, -3.4e38f);
    plugin->setParameter(2, std::numeric_limits<float>::infinity());
    plugin->setParameter(3, std::numeric_limits<float>::quiet_NaN());
    for (int i = -2; i < 30; ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(bytesWritten(*plugin, effGetParamName, i), 16u);
        EXPECT_LE(bytesWritten(*plugin, effGetParamLabel, i), 16u);
        EXPECT_LE(bytesWritten(*plugin, effGetParamDisplay, i), 16u);
    }
    char longName[200];
    std::memset(longName, 'x', sizeof longName - 1);
    longName[sizeof longName - 1] = '\0';
    plugin->dispatch(effSetProgramName, 0, 0, longName);
    EXPECT_LE(bytesWritten(*plugin, effGetProgramName), 24u);
    EXPECT_LE(bytesWritten(*plugin, effGetProgramNameIndexed), 24u);
    EXPECT_LE(bytesWritten(*plugin, effGetEffectName), 32u);
    EXPECT_LE(bytesWritten(*plugin, effGetVendorString), 64u);
    EXPECT_LE(bytesWritten(*plugin, effGetProductString), 64u);
}

TEST_F(PluginTest, HugeValuesStillDisplayReadably) {
    plugin->setParameter(0, 1e30f);
    EXPECT_EQ(plugin->parameterDisplay(0), "1.000e+30");
    plugin->setParameter(0, -123456789.0f);
    EXPECT_EQ(plugin->parameterDisplay(0), "-123456792.000") << "fixed notation while it fits";
    plugin->setParameter(0, std::numeric_limits<float>::infinity());
    EXPECT_EQ(plugin->parameterDisplay(0), "inf");
}

TEST_F(PluginTest, NullBuffersAreAnsweredWithZero) {
    for (VstInt32 opcode : {effSetProgramName, effGetProgramName, effGetParamLabel,
                            effGetParamDisplay, effGetParamName, effEditGetRect,
                            effGetProgramNameIndexed, effGetEffectName, effGetVendorString,
                            effGetProductString, effGetChunk, effString2Parameter,
                            effProcessEvents, effGetSpeakerArrangement}) {
        const VstIntPtr answer = plugin->dispatch(opcode, 0, 0, nullptr);
        if (opcode == effString2Parameter || opcode == effProcessEvents)
            EXPECT_EQ(answer, 1) << "opcode " << opcode << " reads nothing from ptr";
        else
            EXPECT_EQ(answer, 0) << "opcode " << opcode;
    }
    EXPECT_EQ(plugin->text(effGetProgramName), "Default");
}

TEST_F(PluginTest, UnusableSampleRatesAreIgnored) {
    std::vector<float> left(512, 0.25f), right(512, -0.25f), outL(512), outR(512);
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outL.data(), outR.data()};
    for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), 1e-20f}) {
        plugin->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        // Would never return if the rate had been taken.
        plugin->processReplacing(inputs, outputs, 512);
        for (int i = 0; i < 512; ++i) ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i]));
    }
}

TEST_F(PluginTest, MissingChannelBuffersProcessNothing) {
    std::vector<float> channel(64, 0.5f), out(64, 2.0f);
    float* inputs[] = {channel.data(), nullptr};
    float* outputs[] = {out.data(), out.data()};
    plugin->processReplacing(inputs, outputs, 64);
    plugin->processReplacing(nullptr, outputs, 64);
    record().processReplacing(&record(), inputs, nullptr, 64);
    EXPECT_EQ(out, std::vector<float>(64, 2.0f));
}

TEST_F(PluginTest, KeyRequestsWithoutAWindowAreNotUsed) {
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);
    EXPECT_EQ(plugin->dispatch(effEditKeyUp, 0, 4, nullptr, 1e30f), 0);
}

}  // namespace
