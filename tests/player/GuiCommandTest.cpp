// marvolenzik-host gui run as a user runs it: in a private X server, playing to a private
// JACK server, or with no audio device at all.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "tests/support/JackServer.h"
#include "tests/support/XServer.h"

namespace {

std::string screenshotPath(const char* name) {
    return "/tmp/marvolenzik-gui-" + std::to_string(getpid()) + "-" + name + ".png";
}

// Width and height of a PNG file, 0 x 0 when it cannot be read.
std::pair<int, int> pngSize(const std::string& path) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    std::pair<int, int> size{0, 0};
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
        size = {cairo_image_surface_get_width(image), cairo_image_surface_get_height(image)};
    cairo_surface_destroy(image);
    return size;
}

class GuiCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.ok()) GTEST_SKIP() << "Xvfb is not available";
    }
    CommandResult runGui(const std::string& shot) {
        return runCommand({MARVOLENZIK_HOST_PATH, "gui", "--seconds", "3", "--screenshot", shot},
                          {}, 60000);
    }
    XServer server;
};

TEST_F(GuiCommandTest, PlaysThroughAJackServerAndEndsCleanly) {
    JackServer jack;
    if (!jack.ok()) GTEST_SKIP() << "no JACK server could be started";
    const std::string shot = screenshotPath("jack");
    const CommandResult run = runGui(shot);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("on Jack"), std::string::npos) << run.out;
    EXPECT_EQ(pngSize(shot), std::make_pair(1000, 700));
    std::remove(shot.c_str());
}

TEST_F(GuiCommandTest, RunsAtRealTimePaceWithoutADevice) {
    setenv("JACK_DEFAULT_SERVER", "marvolenzik-nowhere", 1);
    const std::string shot = screenshotPath("silent");
    const CommandResult run = runGui(shot);
    unsetenv("JACK_DEFAULT_SERVER");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Playing the demo loop"), std::string::npos) << run.out;
    EXPECT_EQ(pngSize(shot), std::make_pair(1000, 700));
    std::remove(shot.c_str());
}

TEST(GuiCommandWithoutDisplay, SaysSoAndFails) {
    const char* saved = std::getenv("DISPLAY");
    const std::string previous = saved ? saved : "";
    setenv("DISPLAY", ":65000", 1);
    const CommandResult run = runCommand({MARVOLENZIK_HOST_PATH, "gui", "--seconds", "1"}, {}, 30000);
    if (saved)
        setenv("DISPLAY", previous.c_str(), 1);
    else
        unsetenv("DISPLAY");
    EXPECT_EQ(run.exitCode, 1);
}

}  // namespace
