// The host tool's commands on our LV2 bundle: what info shows of its description.
#include <gtest/gtest.h>

#include "tests/host/HostProcess.h"

namespace {

TEST(Lv2Commands, InfoShowsOurDescriptionPortsAndUnits) {
    const HostRun run = runHost({"info", MARVOLENZIK_LV2_BUNDLE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"Format         LV2", "URI            https://marvolenzik.example/lv2/marvolenzik",
          "Name           Marvolenzik", "Vendor         marvolenzik.example", "Class          Compressor Plugin",
          "Requires       none", "Latency        3 samples at 48000 Hz (reported by a port)", "ui#X11UI",
          "Ports          20", "gr_left             Gain reduction left                0          25              db"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    EXPECT_NE(run.out.find("      9  left_grid           LeftGrid                           0         100          30  pc"),
              std::string::npos)
        << "the default written short\n" << run.out;
}

}  // namespace
