// Where the host's threads meet in the CLAP build: the audio thread applies automation and
// hands over the editor's gestures while the main thread drives the editor. Run under
// ThreadSanitizer too.
#include <atomic>
#include <chrono>
#include <thread>

#include "effect/Parameters.h"
#include "tests/clap/ClapTestSupport.h"
#include "tests/support/XServerSuite.h"

// After the test framework, whose names X11's macros would clash with.
#include <X11/Xlib.h>

namespace {

class ClapThreads : public XServerSuite<> {};

TEST_F(ClapThreads, AutomationOnTheAudioThreadReachesTheEditorsControls) {
    if (const std::string missing = missingForX({"xdotool"}); !missing.empty()) GTEST_SKIP() << missing;
    auto plugin = makeClapInstance();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1000, 700, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);

    const clap_plugin_t* p = plugin->plugin();
    ASSERT_TRUE(plugin->gui()->create(p, CLAP_WINDOW_API_X11, false));
    clap_window_t window{};
    window.api = CLAP_WINDOW_API_X11;
    window.x11 = parent;
    ASSERT_TRUE(plugin->gui()->set_parent(p, &window));
    ASSERT_TRUE(plugin->activate(48000.0, 128));
    ASSERT_TRUE(plugin->startProcessing());

    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};
    std::thread audio([&] {
        StereoBlock in(128), out(128);
        while (running) {
            // Ratio sweeps from 0 to 100 and rests at 100.
            plugin->queueValue(parameter::kRatio, std::min(100.0, blocks * 0.5), 64);
            processStereo(*plugin, in, out);
            ++blocks;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end && blocks < 400) {
        plugin->serviceEditor(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    while (blocks < 400) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    running = false;
    audio.join();
    EXPECT_EQ(plugin->value(parameter::kRatio), 100.0);

    // The knob followed: a drag one pixel down from where the host left it gives 99.5.
    StereoBlock in(128), out(128);
    const auto step = [&](const std::vector<std::string>& arguments) {
        ASSERT_TRUE(xdotoolIn(parent, arguments));
        for (int i = 0; i < 10; ++i) {
            plugin->serviceEditor(true);
            processStereo(*plugin, in, out);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    plugin->takeOutEvents();
    step({"mousemove", "688", "495", "mousedown", "1"});
    step({"mousemove", "688", "496"});
    step({"mouseup", "1"});
    const auto events = plugin->takeOutEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_NEAR(events[1].value, 99.5, 1e-4);
    plugin->gui()->destroy(p);
    EXPECT_TRUE(plugin->host().threadViolations().empty());
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

}  // namespace
