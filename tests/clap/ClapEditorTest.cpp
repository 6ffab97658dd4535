// The CLAP editor through the built plug-in in a private X server: created and embedded in
// a host's window as CLAP hosts do it, driven by the host's timer and descriptor, dragged
// with xdotool, told of the host's changes, and taken down in the ways hosts do it.
#include <chrono>
#include <thread>

#include "effect/Parameters.h"
#include "tests/clap/ClapTestSupport.h"
#include "tests/support/XServerSuite.h"

// After the test framework, whose names X11's macros would clash with.
#include <X11/Xlib.h>

namespace {

constexpr double kRate = 48000.0;
constexpr uint32_t kBlock = 256;

class ClapEditorTest : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xdotool"}); !missing.empty()) GTEST_SKIP() << missing;
        plugin = makeClapInstance();
        ASSERT_TRUE(plugin->gui());
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 50, 1000, 700, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }

    void TearDown() override {
        plugin.reset();
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    bool openEditor() {
        const clap_plugin_t* p = plugin->plugin();
        if (!plugin->gui()->is_api_supported(p, CLAP_WINDOW_API_X11, false)) return false;
        if (!plugin->gui()->create(p, CLAP_WINDOW_API_X11, false)) return false;
        uint32_t width = 0, height = 0;
        if (!plugin->gui()->get_size(p, &width, &height) || width != 1000 || height != 700) return false;
        clap_window_t window{};
        window.api = CLAP_WINDOW_API_X11;
        window.x11 = parent;
        if (!plugin->gui()->set_parent(p, &window) || !plugin->gui()->show(p)) return false;
        run(300);
        return true;
    }

    // The host's loop: its timers and the editor's descriptor, and the audio calls that
    // carry the editor's events, every few milliseconds.
    void run(int milliseconds) {
        if (!plugin->active()) {
            plugin->activate(kRate, kBlock);
            plugin->startProcessing();
        }
        StereoBlock in(kBlock), out(kBlock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (int rounds = 0; rounds < 5 || std::chrono::steady_clock::now() < end; ++rounds) {
            plugin->serviceEditor(true);
            processStereo(*plugin, in, out);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void xdotool(const std::vector<std::string>& arguments) {
        ASSERT_TRUE(xdotoolIn(parent, arguments));
        run(60);
    }

    std::unique_ptr<vsthost::ClapInstance> plugin;
    Display* display = nullptr;
    Window parent = 0;
};

TEST_F(ClapEditorTest, DrivenByTheHostsTimerAndTheConnectionsDescriptor) {
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(plugin->host().timers().size(), 1u);
    EXPECT_EQ(plugin->host().descriptors().size(), 1u);
    plugin->gui()->destroy(plugin->plugin());
    EXPECT_TRUE(plugin->host().timers().empty()) << "the timer goes with the editor";
    EXPECT_TRUE(plugin->host().descriptors().empty());
    EXPECT_TRUE(plugin->host().threadViolations().empty());
}

TEST_F(ClapEditorTest, DraggingRatioUpIsOneGestureOfRisingValues) {
    plugin->queueValue(parameter::kRatio, 30.0);
    plugin->flush();
    ASSERT_TRUE(openEditor());
    plugin->takeOutEvents();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    for (int y = 490; y >= 445; y -= 5) xdotool({"mousemove", "688", std::to_string(y)});
    xdotool({"mouseup", "1"});

    const auto events = plugin->takeOutEvents();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(events.front().parameter, 4u);
    EXPECT_EQ(events.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    EXPECT_EQ(events.back().parameter, 4u);
    double previous = 30.0;
    for (std::size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].type, CLAP_EVENT_PARAM_VALUE);
        EXPECT_EQ(events[i].parameter, 4u);
        EXPECT_GT(events[i].value, previous) << "in real units, rising";
        previous = events[i].value;
    }
    EXPECT_EQ(plugin->value(parameter::kRatio), previous) << "the plug-in holds the last value sent";
    EXPECT_TRUE(plugin->host().threadViolations().empty());
}

// A host's change reaches the control at the next timer: a drag then starts from it.
TEST_F(ClapEditorTest, TheHostsChangesReachTheControls) {
    ASSERT_TRUE(openEditor());
    plugin->queueValue(parameter::kRatio, 10.0);
    run(100);
    plugin->takeOutEvents();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    xdotool({"mousemove", "688", "494"});
    xdotool({"mouseup", "1"});
    const auto events = plugin->takeOutEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_NEAR(events[1].value, 10.5, 1e-4) << "one pixel up from the host's 10";
}

TEST_F(ClapEditorTest, DestroyedInTheMiddleOfADragEndsTheGesture) {
    ASSERT_TRUE(openEditor());
    plugin->takeOutEvents();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    xdotool({"mousemove", "688", "470"});
    plugin->gui()->destroy(plugin->plugin());
    run(50);
    const auto events = plugin->takeOutEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(events.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    xdotoolIn(parent, {"mouseup", "1"});
}

// Hosts hide and show again, and destroy their own window before the editor's.
TEST_F(ClapEditorTest, HiddenShownAndOutlivingTheHostsWindow) {
    ASSERT_TRUE(openEditor());
    EXPECT_TRUE(plugin->gui()->hide(plugin->plugin()));
    run(50);
    EXPECT_TRUE(plugin->gui()->show(plugin->plugin()));
    run(50);
    XDestroyWindow(display, parent);
    XSync(display, False);
    run(100);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1000, 700, 0, 0, 0);
    XSync(display, False);
    plugin->gui()->destroy(plugin->plugin());
    // Made again in a fresh window.
    ASSERT_TRUE(openEditor());
}

}  // namespace
