// The validator on CLAP plug-ins: ours passes every check, a third party's from Debian runs
// to the end, and pass-through plug-ins with one deliberate fault each are caught by the
// check meant for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/host/HostProcess.h"
#include "tests/support/XServer.h"
#include "tests/support/XServerSuite.h"
#include "tests/validator/ValidatorReport.h"

namespace {

class ValidateClap : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX(); !missing.empty()) GTEST_SKIP() << missing;
    }
};

TEST_F(ValidateClap, OurPluginPassesEveryCheck) {
    const HostRun run = runHost({"validate", "--seed", "20261208", "--budget", "600", MARVOLENZIK_CLAP_PATH});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out.find("FAIL  "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("SKIP  "), std::string::npos) << run.out;
    EXPECT_GE(countVerdicts(run.out, "clap."), 18) << run.out;
}

TEST_F(ValidateClap, AThirdPartyPluginComesToAnEndWithAVerdictForEveryCheck) {
#ifndef VALIDATE_PEERS
    GTEST_SKIP() << "third-party plug-ins are validated by the release build only";
#endif
    const char* peer = "/usr/lib/clap/ZamCompX2.clap";
    if (!std::filesystem::exists(peer)) GTEST_SKIP() << peer << " not installed";
    const HostRun ours = runHost({"validate", "--seed", "1", "--budget", "60", MARVOLENZIK_CLAP_PATH});
    const HostRun run = runHost({"validate", "--seed", "1", "--budget", "60", peer});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << run.out << run.err;
    EXPECT_EQ(countVerdicts(run.out, "clap."), countVerdicts(ours.out, "clap.")) << run.out;
    std::printf("%s", run.out.c_str());  // the verdicts, as information
}

INSTANTIATE_TEST_SUITE_P(
    ValidateClap, CatchesFault,
    ::testing::Values(Fault{CLAP_ALLOCATES_PLUGIN_PATH, "clap.processing.no-allocation", "clap.processing.no-allocation",
                            "[1-9][0-9]* allocations"},
                      Fault{CLAP_RESCANS_ON_AUDIO_PLUGIN_PATH, "clap.threads.main-and-audio", "clap.threads.main-and-audio",
                            "clap_host_params.rescan off the main thread"},
                      Fault{CLAP_TAKES_ANY_STATE_PLUGIN_PATH, "clap.state.refused", "clap.state.refused",
                            "an empty state was accepted"}),
    faultName);

TEST_F(ValidateClap, AHealthyPassThroughPassesEveryCheckItCanRun) {
    const HostRun run = runHost({"validate", "--seed", "5", CLAP_HEALTHY_PLUGIN_PATH});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(verdictLine(run.out, "clap.editor.life-cycle").find("no gui extension"), std::string::npos) << run.out;
}

}  // namespace
