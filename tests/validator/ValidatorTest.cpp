// The validator run as a user runs it: on our plug-in with a fixed and with random seeds,
// on third-party plug-ins (it must come to an end whatever they do), and on plug-ins with
// one deliberate fault each, which the check meant for it must catch while the validator
// itself survives.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/host/HostProcess.h"
#include "tests/validator/ValidatorReport.h"
#include "tests/support/XServer.h"
#include "tests/support/XServerSuite.h"

namespace {

constexpr int kChecks = 27;

void expectCompleteReport(const HostRun& run) {
    EXPECT_EQ(countVerdicts(run.out), kChecks)
        << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\n[0-9]+ passed, [0-9]+ failed, [0-9]+ skipped \\(seed [0-9]+\\)\n$")))
        << run.out;
}

class Validate : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX(); !missing.empty()) GTEST_SKIP() << missing;
    }
};

// The editor group opens the editor a hundred times, which the sanitizer build makes slow.
constexpr const char* kGenerousBudget = "600";
// Every group but the editor's, for the runs that vary the seed.
constexpr const char* kSignalGroups = "lifecycle,dispatcher,parameters,processing,threads";

TEST_F(Validate, OurPluginPassesWithAFixedSeed) {
    const HostRun run = runHost({"validate", "--seed", "20240611", "--budget", kGenerousBudget});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("with seed 20240611"), std::string::npos) << run.out;
    EXPECT_EQ(countVerdicts(run.out, "", "FAIL"), 0) << run.out;
    expectCompleteReport(run);
}

TEST_F(Validate, OurPluginPassesWithRandomSeedsThatTheReportNames) {
    std::vector<std::string> seeds;
    for (int run = 0; run < 3; ++run) {
        const HostRun result = runHost({"validate", "--only", kSignalGroups, MARVOLENZIK_PLUGIN_PATH});
        std::smatch seed;
        ASSERT_TRUE(std::regex_search(result.out, seed, std::regex("with seed ([0-9]+) \\(repeat with --seed \\1\\)")))
            << result.out;
        seeds.push_back(seed[1]);
        EXPECT_EQ(result.exitCode, 0) << "seed " << seeds.back() << "\n" << result.out << result.err;
        EXPECT_EQ(countVerdicts(result.out, "", "FAIL"), 0) << result.out;
    }
    EXPECT_NE(seeds[0], seeds[1]);
    EXPECT_NE(seeds[1], seeds[2]);
}

// The checks in which threads meet in the plug-in (audio, parameter changes from other
// threads, the editor's idle), on their own for the ThreadSanitizer build.
class ValidateThreads : public Validate {};

TEST_F(ValidateThreads, OurPluginPassesTheChecksWhereThreadsMeet) {
    const HostRun run = runHost({"validate", "--seed", "77", "--budget", kGenerousBudget, "--only",
                                 "threads,parameters.out-of-range,editor.open-while-processing,"
                                 "editor.parameters-from-other-threads,editor.idle-rates"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(countVerdicts(run.out, "", "FAIL"), 0) << run.out;
    EXPECT_EQ(countVerdicts(run.out, "", "PASS"), 6) << run.out;
}

TEST_F(ValidateThreads, CatchesADataRaceUnderThreadSanitizer) {
#ifndef __SANITIZE_THREAD__
    GTEST_SKIP() << "only the ThreadSanitizer build sees data races";
#endif
    const HostRun run = runHost({"validate", "--seed", "5", "--only", "threads", RACES_PLUGIN_PATH});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(verdictLine(run.out, "threads.parameters-while-processing").rfind("FAIL", 0), 0u) << run.out;
    EXPECT_NE(run.err.find("ThreadSanitizer: data race"), std::string::npos) << run.err;
}

// Host automation calls setParameter on the audio thread: its first call there once
// allocated the plug-in's thread-local storage.
TEST(ValidateOurPlugin, AllocatesNothingInProcessingOrAutomation) {
    for (const char* seed : {"1", "2"}) {
        const HostRun run = runHost({"validate", "--seed", seed, "--only", "processing.no-allocation"});
        EXPECT_EQ(verdictLine(run.out, "processing.no-allocation").rfind("PASS", 0), 0u) << run.out << run.err;
    }
}

TEST_F(Validate, AHealthyPluginPassesEveryCheckItCanRun) {
    const HostRun run = runHost({"validate", "--seed", "5", HEALTHY_PLUGIN_PATH});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(verdictLine(run.out, "editor.open-close").find("SKIP"), std::string::npos) << run.out;
    EXPECT_NE(verdictLine(run.out, "editor.open-close").find("announces no editor"), std::string::npos) << run.out;
    expectCompleteReport(run);
}

INSTANTIATE_TEST_SUITE_P(
    Validate, CatchesFault,
    ::testing::Values(
        Fault{WRITES_INPUT_PLUGIN_PATH, "processing.buffer-rules", "processing.buffer-rules", "wrote into input channel", "4"},
        Fault{ALLOCATES_PLUGIN_PATH, "processing.no-allocation", "processing.no-allocation",
              "[1-9][0-9]* allocations and [1-9][0-9]* releases in processReplacing", "4"},
        Fault{CRASHES_PLUGIN_PATH, "dispatcher.fuzz,processing.signals", "dispatcher.fuzz",
              "(crashed with signal|exited with status).*last step: effSetPanLaw", "4"},
        Fault{HANGS_PLUGIN_PATH, "dispatcher.fuzz", "dispatcher.fuzz", "no end within 4 s.*last step: effSetPanLaw", "4"},
        Fault{NAN_FOREVER_PLUGIN_PATH, "processing.non-finite-input", "processing.non-finite-input",
              "non-finite output samples.*after the input was finite again", "4"}),
    faultName);

TEST(ValidateCrash, OtherChecksStillRunAfterACrash) {
    const HostRun run = runHost({"validate", "--seed", "3", "--only", "dispatcher.fuzz,processing.signals", CRASHES_PLUGIN_PATH});
    EXPECT_EQ(verdictLine(run.out, "processing.signals").rfind("PASS", 0), 0u) << run.out;
}

class ValidatePeer : public ::testing::TestWithParam<const char*> {};

TEST_P(ValidatePeer, ComesToAnEndWithAVerdictForEveryCheck) {
#ifndef VALIDATE_PEERS
    GTEST_SKIP() << "third-party plug-ins are validated by the release build only";
#endif
    if (!std::filesystem::exists(GetParam())) GTEST_SKIP() << GetParam() << " not installed";
    XServer display;
    if (!display.ok()) GTEST_SKIP() << "Xvfb is not available";
    const HostRun run = runHost({"validate", "--seed", "1", "--budget", "60", GetParam()});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << run.out << run.err;
    expectCompleteReport(run);
    std::printf("%s", run.out.c_str());  // the verdicts, as information
}

INSTANTIATE_TEST_SUITE_P(Validate, ValidatePeer,
                         ::testing::Values("/usr/lib/vst/ZamCompX2-vst.so",
                                           "/usr/lib/vst/lsp-plugins/compressor-stereo.so"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return info.index == 0 ? std::string("ZamCompX2") : std::string("LspCompressorStereo");
                         });

}  // namespace
