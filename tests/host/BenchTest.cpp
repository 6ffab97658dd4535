// `bench` runs plug-ins side by side and prints one table row each.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/host/HostProcess.h"

namespace {

TEST(Bench, PrintsARowPerPluginWithTheRatioToTheFirst) {
    const HostRun run = runHost({"bench", "--seconds", "0.2", "--passes", "3",
                                 MARVOLENZIK_PLUGIN_PATH, MONO_DELAY_PLUGIN_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("| Marvolenzik (Marvolenzik.so) | 1 |"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("| Mono delay ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" | 1.00 |\n"), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6) << run.out;
}

TEST(Bench, RefusesAPluginThatAnswersNull) {
    const HostRun run =
        runHost({"bench", "--seconds", "0.2", MARVOLENZIK_PLUGIN_PATH, NULL_PLUGIN_PATH});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("answered null"), std::string::npos) << run.err;
}

}  // namespace
