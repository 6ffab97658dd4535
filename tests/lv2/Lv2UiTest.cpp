// The LV2 UI through the built bundle in a private X server, hosted as LV2 hosts do it: the
// UI binary instantiated in the host's window, told the ports through port_event, driven
// by its idle interface while the plug-in runs, dragged with xdotool.
#include <chrono>
#include <thread>

#include "editor/EditorLayout.h"
#include "effect/Parameters.h"
#include "lv2/Lv2Ports.h"
#include "tests/support/XServerSuite.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/Lv2StereoPlugin.h"

// After the test framework, whose names X11's macros would clash with.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using vsthost::Lv2UiEvent;

constexpr int kBlock = 256;
constexpr uint32_t kRatioPort = lv2port::portOf(parameter::kRatio);

class Lv2UiTest : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xdotool"}); !missing.empty()) GTEST_SKIP() << missing;
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 50, 1000, 700, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        plugin.start(48000.0, kBlock);
    }

    void TearDown() override {
        editor.reset();
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    void openEditor() {
        editor = plugin.createEditor();
        ASSERT_TRUE(editor);
        ASSERT_TRUE(editor->open(parent));
        EXPECT_EQ(editor->width(), 1000) << "told through ui:resize";
        EXPECT_EQ(editor->height(), 700);
        run(300);
    }

    // The host's loop: a block of `input` and the UI's idle, every few milliseconds.
    void run(int milliseconds, const vsthost::StereoBuffer* input = nullptr) {
        std::vector<float> l(kBlock), r(kBlock), outL(kBlock), outR(kBlock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (int rounds = 0; rounds < 5 || std::chrono::steady_clock::now() < end; ++rounds) {
            if (input) {
                for (int i = 0; i < kBlock; ++i, played = (played + 1) % input->left.size()) {
                    l[i] = input->left[played];
                    r[i] = input->right[played];
                }
            }
            plugin.process(l.data(), r.data(), outL.data(), outR.data(), kBlock);
            editor->idle(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void xdotool(const std::vector<std::string>& arguments) {
        ASSERT_TRUE(xdotoolIn(parent, arguments));
        run(60);
    }

    void dragRatio(int fromY, int toY) {
        xdotool({"mousemove", "688", std::to_string(fromY), "mousedown", "1"});
        for (int y = fromY - 5; y >= toY; y -= 5) xdotool({"mousemove", "688", std::to_string(y)});
        xdotool({"mouseup", "1"});
    }

    // The pixels of the left meter's rectangle as the screen shows them.
    std::vector<unsigned long> leftMeterPixels() {
        const layout::Rect meter = layout::kLeftMeter.rect();
        XImage* image = XGetImage(display, parent, static_cast<int>(meter.left), static_cast<int>(meter.top),
                                  static_cast<unsigned>(meter.width()), static_cast<unsigned>(meter.height()),
                                  AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        if (!image) return pixels;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return pixels;
    }

    vsthost::Lv2StereoPlugin plugin{MARVOLENZIK_LV2_BUNDLE};
    std::unique_ptr<vsthost::PluginEditor> editor;
    Display* display = nullptr;
    Window parent = 0;
    std::size_t played = 0;
};

TEST_F(Lv2UiTest, DraggingRatioUpIsOneTouchOfRisingWrites) {
    plugin.setValue(parameter::kRatio, 30.0);
    openEditor();
    plugin.takeUiEvents();
    dragRatio(495, 445);

    const std::vector<Lv2UiEvent> events = plugin.takeUiEvents();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events.front().kind, Lv2UiEvent::Kind::grab);
    EXPECT_EQ(events.front().port, kRatioPort);
    EXPECT_EQ(events.back().kind, Lv2UiEvent::Kind::release);
    EXPECT_EQ(events.back().port, kRatioPort);
    float previous = 30.0f;
    for (std::size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, Lv2UiEvent::Kind::write);
        EXPECT_EQ(events[i].port, kRatioPort);
        EXPECT_GT(events[i].value, previous) << "in the port's own units, rising";
        previous = events[i].value;
    }
    EXPECT_EQ(plugin.value(parameter::kRatio), previous) << "the port holds the last value written";
}

// The host's change reaches the knob through port_event: a drag then starts from it.
TEST_F(Lv2UiTest, TheHostsPortChangesReachTheControls) {
    openEditor();
    plugin.setValue(parameter::kRatio, 10.0);
    run(100);
    plugin.takeUiEvents();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    xdotool({"mousemove", "688", "494"});
    xdotool({"mouseup", "1"});
    const std::vector<Lv2UiEvent> events = plugin.takeUiEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_NEAR(events[1].value, 10.5f, 1e-4f) << "one pixel up from the host's 10";
}

// The meter output ports, told to the UI, move its meters.
TEST_F(Lv2UiTest, TheMeterPortsMoveTheMeters) {
    openEditor();
    const std::vector<unsigned long> resting = leftMeterPixels();
    ASSERT_FALSE(resting.empty());
    plugin.setValue(parameter::kGain, 40.0);
    plugin.setValue(parameter::kRatio, 100.0);
    const vsthost::StereoBuffer demo = vsthost::synthesiseDemoLoop(48000.0, 2.0);
    run(600, &demo);
    EXPECT_GT(*plugin.outputValue("gr_left"), 1.0f) << "compressing";
    EXPECT_NE(leftMeterPixels(), resting);
}

TEST_F(Lv2UiTest, CleanedUpInTheMiddleOfADragReleasesTheTouch) {
    openEditor();
    plugin.takeUiEvents();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    xdotool({"mousemove", "688", "470"});
    editor.reset();
    const std::vector<Lv2UiEvent> events = plugin.takeUiEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, Lv2UiEvent::Kind::grab);
    EXPECT_EQ(events.back().kind, Lv2UiEvent::Kind::release);
    xdotoolIn(parent, {"mouseup", "1"});
    // And made again in the same window.
    openEditor();
}

}  // namespace
