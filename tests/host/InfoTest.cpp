// `info`: what a host learns when it scans a plug-in, for ours and for a third party's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/host/HostProcess.h"

namespace {

TEST(Info, ShowsOurIdentityAndParameterTable) {
    const HostRun run = runHost({"info"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"Effect name    Marvolenzik", "Unique ID      'MVZ' (0x004D565A)", "Inputs         2",
          "Outputs        2", "Initial delay  3 samples", "Flags          17 (editor, replacing)",
          "Editor         1000 x 700 pixels", "receiveVstMidiEvent: yes", "Parameters     24"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    // Index, name, default and display of a row.
    EXPECT_NE(run.out.find("    2  Attack                    0.200000    0.200"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("   23  -                         0.500000    0.500"), std::string::npos)
        << run.out;
}

TEST(Info, ReadsAThirdPartyPlugin) {
    const std::string peer = "/usr/lib/vst/ZamCompX2-vst.so";
    if (!std::filesystem::exists(peer)) GTEST_SKIP() << peer << " not installed";
    const HostRun run = runHost({"info", peer});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Effect name    ZamCompX2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Threshold"), std::string::npos) << run.out;
}

TEST(Info, LogsTheRequestsThePluginMakes) {
    const HostRun run = runHost({"info", "--log"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("host request audioMasterVersion (1)"), std::string::npos) << run.err;
}

TEST(Info, RefusesWhatIsNoPlugin) {
    const HostRun run = runHost({"info", "/nonexistent/plugin.so"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("/nonexistent/plugin.so"), std::string::npos) << run.err;
}

}  // namespace
