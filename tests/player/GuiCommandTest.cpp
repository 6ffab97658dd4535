// marvolenzik-host gui run as a user runs it: in a private X server, playing to a private
// JACK server, or with no audio device at all.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

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

// The pixels of a PNG file as 0xRRGGBB, row by row; empty when it cannot be read.
std::vector<uint32_t> pngPixels(const std::string& path, int& width) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    std::vector<uint32_t> pixels;
    width = 0;
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        width = cairo_image_surface_get_width(image);
        const int height = cairo_image_surface_get_height(image);
        const int stride = cairo_image_surface_get_stride(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xffffff);
    }
    cairo_surface_destroy(image);
    return pixels;
}

class GuiCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.ok()) GTEST_SKIP() << "Xvfb is not available";
    }
    CommandResult runGui(const std::string& shot, const std::string& plugin = MARVOLENZIK_PLUGIN_PATH) {
        return runCommand({MARVOLENZIK_HOST_PATH, "gui", "--plugin", plugin, "--seconds", "3", "--screenshot", shot},
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

// The same editor in both formats: the player embeds the CLAP one through its gui
// extension. Only what moves with the music may differ: the meters, the read-out, and the
// output volume that auto-gain turns.
TEST_F(GuiCommandTest, TheClapEditorLooksLikeTheVst2One) {
    setenv("JACK_DEFAULT_SERVER", "marvolenzik-nowhere", 1);
    const std::string vst2Shot = screenshotPath("vst2"), clapShot = screenshotPath("clap");
    const CommandResult vst2 = runGui(vst2Shot);
    const CommandResult clap = runGui(clapShot, MARVOLENZIK_CLAP_PATH);
    unsetenv("JACK_DEFAULT_SERVER");
    ASSERT_EQ(vst2.exitCode, 0);
    ASSERT_EQ(clap.exitCode, 0);
    int width = 0;
    const std::vector<uint32_t> expected = pngPixels(vst2Shot, width), shown = pngPixels(clapShot, width);
    ASSERT_EQ(shown.size(), 1000u * 700u);
    ASSERT_EQ(expected.size(), shown.size());
    const auto moves = [](int x, int y) {
        return (y >= 129 && y < 290 && x >= 300 && x < 930) || y >= 660;
    };
    long different = 0;
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 1000; ++x)
            if (!moves(x, y) && shown[y * 1000 + x] != expected[y * 1000 + x]) ++different;
    EXPECT_EQ(different, 0);
    EXPECT_NE(shown[620 * 1000 + 500], 0u) << "the panel, not a black window";
    std::remove(vst2Shot.c_str());
    std::remove(clapShot.c_str());
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
