// The editor through the built plug-in in a private X server: opened in a parent window as
// a host opens it, dragged with xdotool, moved by the host from other threads while audio
// is processed, and closed without leaving a window behind.
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/plugin/LoadedPlugin.h"
#include "tests/support/XServerSuite.h"

// After the test framework, whose names X11's macros would clash with.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

class EditorWindowTest : public XServerSuite<PluginTest> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xdotool"}); !missing.empty())
            GTEST_SKIP() << missing;
        PluginTest::SetUp();
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 50, 1000, 700, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }

    void TearDown() override {
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    bool openEditor() {
        ERect* rect = nullptr;
        plugin->dispatch(effEditGetRect, 0, 0, &rect);
        if (!rect || rect->right != 1000 || rect->bottom != 700) return false;
        const bool opened = plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) == 1;
        idle(300);
        return opened;
    }

    // effEditIdle every 10 ms for a while, as a host's timer sends it, and at least a few
    // times (the first call, which decodes the images, may take longer than the while).
    void idle(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (int calls = 0; calls < 5 || std::chrono::steady_clock::now() < end; ++calls) {
            plugin->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void xdotool(const std::vector<std::string>& arguments) {
        ASSERT_TRUE(xdotoolIn(parent, arguments));
        idle(60);
    }

    // The pixels of a part of the window, as the screen shows them.
    std::vector<unsigned long> pixels(int x, int y, int width, int height) {
        XImage* image = XGetImage(display, parent, x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        std::vector<unsigned long> values;
        if (!image) return values;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                values.push_back(XGetPixel(image, column, row));
        XDestroyImage(image);
        return values;
    }

    unsigned int childWindows() {
        Window root = 0;
        Window parentOfParent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, parent, &root, &parentOfParent, &children, &count);
        if (children) XFree(children);
        return count;
    }

    std::vector<vsthost::HostRequest> editRequests() const {
        std::vector<vsthost::HostRequest> found;
        for (const auto& request : host.requests())
            if (request.opcode == audioMasterBeginEdit || request.opcode == audioMasterEndEdit ||
                request.opcode == audioMasterAutomate)
                found.push_back(request);
        return found;
    }

    Display* display = nullptr;
    Window parent = 0;
};

TEST_F(EditorWindowTest, DraggingRatioUpIsOneGestureOfRisingAutomation) {
    plugin->setParameter(4, 0.3f);
    ASSERT_TRUE(openEditor());
    host.clearRequests();
    xdotool({"mousemove", "688", "495", "mousedown", "1"});
    for (int y = 490; y >= 445; y -= 5) xdotool({"mousemove", "688", std::to_string(y)});
    xdotool({"mouseup", "1"});

    const auto requests = editRequests();
    ASSERT_GE(requests.size(), 4u);
    EXPECT_EQ(requests.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests.front().index, 4);
    EXPECT_EQ(requests.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(requests.back().index, 4);
    float previous = 0.3f;
    int automations = 0;
    for (std::size_t i = 1; i + 1 < requests.size(); ++i) {
        EXPECT_EQ(requests[i].opcode, audioMasterAutomate);
        EXPECT_EQ(requests[i].index, 4);
        EXPECT_GT(requests[i].opt, previous);
        previous = requests[i].opt;
        ++automations;
    }
    EXPECT_GE(automations, 5);
    EXPECT_NEAR(plugin->getParameter(4), 0.55f, 1e-5f);
}

TEST_F(EditorWindowTest, SpaceAndOtherUnusedKeysStayWithTheHost) {
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, ' ', 7, nullptr, 0), 0);
    // Tab walks the views that take the focus in their order: the four corner shapes,
    // then the input gain knob, which the Up key then turns.
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, 2, nullptr, 0), 1) << "Tab moves the focus";
    const float gain = plugin->getParameter(0);
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, 12, nullptr, 0), 1);
    EXPECT_NEAR(plugin->getParameter(0), gain + 0.1f, 1e-6f);
}

TEST_F(EditorWindowTest, HostChangesFromOtherThreadsWhileProcessingMoveTheKnob) {
    plugin->start(48000.0f, 256);
    plugin->setParameter(4, 0.0f);
    ASSERT_TRUE(openEditor());
    const auto before = pixels(608, 417, 160, 156);
    std::atomic<bool> processing{true};
    std::thread audio([&] {
        std::vector<float> in(256, 0.1f), outL(256), outR(256);
        float* inputs[] = {in.data(), in.data()};
        float* outputs[] = {outL.data(), outR.data()};
        while (processing) plugin->processReplacing(inputs, outputs, 256);
    });
    std::thread automation([&] { plugin->setParameter(4, 1.0f); });
    automation.join();
    idle(200);
    processing = false;
    audio.join();
    EXPECT_NE(pixels(608, 417, 160, 156), before) << "the Ratio knob shows its new value";
}

TEST_F(EditorWindowTest, MetersMoveWhileGainIsReduced) {
    plugin->start(48000.0f, 512);
    plugin->setParameter(0, 1.0f);  // +50 dB into the compressor
    ASSERT_TRUE(openEditor());
    const auto quiet = pixels(305, 137, 157, 102);
    std::vector<float> left(512), right(512), outL(512), outR(512);
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outL.data(), outR.data()};
    for (int block = 0; block < 200; ++block) {
        for (int i = 0; i < 512; ++i)
            left[i] = right[i] = 0.5f * std::sin(0.05f * static_cast<float>(block * 512 + i));
        plugin->processReplacing(inputs, outputs, 512);
        if (block % 10 == 0) plugin->dispatch(effEditIdle);
    }
    idle(200);
    EXPECT_NE(pixels(305, 137, 157, 102), quiet) << "the left meter's needle moved";
}

TEST_F(EditorWindowTest, ClosingLeavesNoWindowAndReopeningWorks) {
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(childWindows(), 1u);
    plugin->dispatch(effEditClose);
    XSync(display, False);
    EXPECT_EQ(childWindows(), 0u);
    ASSERT_TRUE(openEditor());
    ASSERT_TRUE(openEditor()) << "a second open without a close replaces the window";
    XSync(display, False);
    EXPECT_EQ(childWindows(), 1u);
    plugin->close();  // effClose with the window still open
    XSync(display, False);
    EXPECT_EQ(childWindows(), 0u);
}

TEST_F(EditorWindowTest, HostDestroyingItsWindowBeforeCloseIsHarmless) {
    ASSERT_TRUE(openEditor());
    XDestroyWindow(display, parent);
    XSync(display, False);
    idle(100);
    plugin->dispatch(effEditClose);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    SUCCEED() << "the host process is still here";
}

}  // namespace
