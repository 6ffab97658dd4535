// The entry point and the effect record, as a host sees them after dlopen.
#include <dlfcn.h>

#include <cstring>
#include <vector>

#include "LoadedPlugin.h"

namespace {

using vsthost::Host;
using vsthost::PluginInstance;

TEST(Entry, BothExportNamesAreTheSameFunction) {
    void* handle = dlopen(MARVOLENZIK_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    void* vstPluginMain = dlsym(handle, "VSTPluginMain");
    void* main = dlsym(handle, "main");
    EXPECT_NE(vstPluginMain, nullptr);
    EXPECT_EQ(vstPluginMain, main);
    // Internal symbols stay hidden.
    EXPECT_EQ(dlsym(handle, "createEffectInstance"), nullptr);
    dlclose(handle);
}

TEST(Entry, HostWithoutVersionGetsNoEffect) {
    Host host;
    host.setRecording(true);
    host.setVersionAnswer(0);
    EXPECT_EQ(host.createEffect(marvolenzikLibrary()), nullptr);
    const auto requests = host.requests();
    ASSERT_EQ(requests.size(), 1u) << "only the version query may be sent";
    EXPECT_EQ(requests[0].opcode, audioMasterVersion);
    EXPECT_EQ(requests[0].effect, nullptr);
    EXPECT_EQ(requests[0].index, 0);
    EXPECT_EQ(requests[0].value, 0);
    EXPECT_EQ(requests[0].opt, 0.0f);
}

class RecordForHostVersion : public ::testing::TestWithParam<VstIntPtr> {};

TEST_P(RecordForHostVersion, HoldsExactlyTheEffectsIdentity) {
    Host host;
    host.setVersionAnswer(GetParam());
    PluginInstance plugin(host, marvolenzikLibrary());
    ASSERT_TRUE(plugin.ok());
    const AEffect& record = *plugin.effect();
    EXPECT_EQ(record.magic, 0x56737450);
    EXPECT_NE(record.dispatcher, nullptr);
    EXPECT_NE(record.process, nullptr);
    EXPECT_NE(record.setParameter, nullptr);
    EXPECT_NE(record.getParameter, nullptr);
    EXPECT_NE(record.processReplacing, nullptr);
    EXPECT_NE(record.processDoubleReplacing, nullptr);
    EXPECT_EQ(record.numPrograms, 1);
    EXPECT_EQ(record.numParams, 24);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 17);
    EXPECT_EQ(record.resvd1, 0);
    EXPECT_EQ(record.resvd2, 0);
    EXPECT_EQ(record.initialDelay, 3);
    EXPECT_EQ(record.realQualities, 0);
    EXPECT_EQ(record.offQualities, 0);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_NE(record.object, nullptr);
    EXPECT_EQ(record.user, nullptr);
    EXPECT_EQ(record.uniqueID, 0x004D565A);
    EXPECT_EQ(record.version, 1);
    const std::vector<char> zeros(sizeof record.future, 0);
    EXPECT_EQ(std::memcmp(record.future, zeros.data(), zeros.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(AnyNonZeroAnswer, RecordForHostVersion,
                         ::testing::Values(VstIntPtr{1}, VstIntPtr{2400}, VstIntPtr{9999}));

TEST(Entry, InstancesAreIndependent) {
    Host host;
    PluginInstance first(host, marvolenzikLibrary());
    PluginInstance second(host, marvolenzikLibrary());
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_NE(first.effect(), second.effect());
    EXPECT_NE(first.effect()->object, second.effect()->object);
    first.setParameter(4, 0.1f);
    second.setParameter(4, 0.9f);
    EXPECT_EQ(first.getParameter(4), 0.1f);
    EXPECT_EQ(second.getParameter(4), 0.9f);
    first.close();
    EXPECT_EQ(second.getParameter(4), 0.9f) << "closing one instance leaves the other alive";
}

TEST(Entry, CloseAnswersOneAndEndsTheInstance) {
    Host host;
    AEffect* effect = host.createEffect(marvolenzikLibrary());
    ASSERT_NE(effect, nullptr);
    // The effect's own handling answers 0; the entry answers 1 and destroys the object
    // (a leak or a second use would show in the sanitizer build).
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    host.forget(effect);
}

TEST_F(PluginTest, AccumulatingProcessLeavesOutputsUntouched) {
    std::vector<float> inLeft(64, 0.5f), inRight(64, -0.5f);
    std::vector<float> outLeft(64), outRight(64);
    for (int i = 0; i < 64; ++i) outLeft[i] = outRight[i] = 0.001f * i;
    const std::vector<float> before = outLeft;
    float* inputs[] = {inLeft.data(), inRight.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    record().process(&record(), inputs, outputs, 64);
    EXPECT_EQ(std::memcmp(outLeft.data(), before.data(), 64 * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(outRight.data(), before.data(), 64 * sizeof(float)), 0);
}

TEST_F(PluginTest, DoublePrecisionProcessDoesNothing) {
    std::vector<double> in(16, 0.25), out(16, 7.0);
    double* inputs[] = {in.data(), in.data()};
    double* outputs[] = {out.data(), out.data()};
    record().processDoubleReplacing(&record(), inputs, outputs, 16);
    EXPECT_EQ(out, std::vector<double>(16, 7.0));
}

}  // namespace
