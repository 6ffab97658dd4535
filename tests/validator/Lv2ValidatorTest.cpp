// The validator on LV2 plug-ins: our bundle passes every check, a third party's from Debian
// runs to the end, and pass-through bundles with one deliberate fault each are caught by the
// check meant for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/host/HostProcess.h"
#include "tests/support/XServerSuite.h"
#include "tests/validator/ValidatorReport.h"

namespace {

class ValidateLv2 : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX(); !missing.empty()) GTEST_SKIP() << missing;
    }
};

TEST_F(ValidateLv2, OurBundlePassesEveryCheck) {
    const HostRun run = runHost({"validate", "--seed", "20261208", "--budget", "600", MARVOLENZIK_LV2_BUNDLE});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out.find("FAIL  "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("SKIP  "), std::string::npos) << run.out;
    EXPECT_EQ(countVerdicts(run.out, "lv2."), 13) << run.out;
}

TEST_F(ValidateLv2, AThirdPartyPluginComesToAnEndWithAVerdictForEveryCheck) {
#ifndef VALIDATE_PEERS
    GTEST_SKIP() << "third-party plug-ins are validated by the release build only";
#endif
    const char* peer = "/usr/lib/lv2/ZamCompX2.lv2";
    if (!std::filesystem::exists(peer)) GTEST_SKIP() << peer << " not installed";
    const HostRun run = runHost({"validate", "--seed", "1", "--budget", "60", peer});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << run.out << run.err;
    EXPECT_EQ(countVerdicts(run.out, "lv2."), 13) << run.out;
    std::printf("%s", run.out.c_str());  // the verdicts, as information
}

INSTANTIATE_TEST_SUITE_P(
    ValidateLv2, CatchesFault,
    ::testing::Values(Fault{LV2_ALLOCATES_BUNDLE, "lv2.processing.no-allocation", "lv2.processing.no-allocation",
                            "[1-9][0-9]* allocations"},
                      Fault{LV2_TRUSTS_CONTROLS_BUNDLE, "lv2.parameters.out-of-range", "lv2.parameters.out-of-range",
                            "control 'Gain' set to (nan|inf)"},
                      Fault{LV2_SHARES_STATE_BUNDLE, "lv2.processing.determinism", "lv2.processing.determinism",
                            "two instances .* sound different"}),
    faultName);

TEST_F(ValidateLv2, AHealthyPassThroughPassesEveryCheckItCanRun) {
    const HostRun run = runHost({"validate", "--seed", "5", LV2_HEALTHY_BUNDLE});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(verdictLine(run.out, "lv2.editor.life-cycle").find("no X11 UI"), std::string::npos) << run.out;
}

}  // namespace
