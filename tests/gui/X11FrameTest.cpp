// The frame in a real X server: a parent window made as a host makes it, input from
// xdotool, and the host destroying its window before the frame closes.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "gui/CKnob.h"
#include "gui/CNewFileSelector.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/support/XServerSuite.h"

// After the test framework, whose names X11's macros (None, Bool) would clash with.
#include <X11/Xlib.h>

using namespace VSTGUI;
using guitest::Log;

namespace {

class X11FrameTest : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xdotool"}); !missing.empty())
            GTEST_SKIP() << missing;
        host = XOpenDisplay(nullptr);
        ASSERT_NE(host, nullptr);
        // Well inside the screen, so that a drag can leave the window on every side.
        parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 200, 300, 400, 300, 0, 0, 0);
        XMapWindow(host, parent);
        XSync(host, False);
    }

    void TearDown() override {
        if (frame) frame->forget();
        if (host) {
            if (parent) XDestroyWindow(host, parent);
            XCloseDisplay(host);
        }
    }

    CFrame* openFrame() {
        auto* opened = new CFrame(CRect(0, 0, 300, 200), &editor);
        EXPECT_TRUE(opened->open(reinterpret_cast<void*>(parent)));
        settle();
        return opened;
    }

    // Runs the frame's idle for a while, as a host's idle timer does.
    void settle(CFrame* which = nullptr, int milliseconds = 150) {
        CFrame* target = which ? which : frame;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            if (target) target->idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // Runs xdotool with positions relative to the parent window, then lets `target` (the
    // test's frame by default) take in what happened.
    void xdotool(const std::vector<std::string>& arguments, CFrame* target = nullptr) {
        ASSERT_TRUE(xdotoolIn(parent, arguments));
        settle(target);
    }

    Display* host = nullptr;
    Window parent = 0;
    Log log;
    guitest::RecordingListener listener{log};
    guitest::RecordingEditor editor{log};
    CFrame* frame = nullptr;
};

TEST_F(X11FrameTest, MouseInputFromARealServerDrivesTheControls) {
    frame = openFrame();
    auto* knob = new CKnob(CRect(20, 20, 80, 80), &listener, 4, nullptr);
    auto* power = new COnOffButton(CRect(100, 20, 140, 40), &listener, 8, nullptr);
    auto* copy = new CTextButton(CRect(160, 20, 220, 40), &listener, 22, "COPY");
    frame->addView(knob);
    frame->addView(power);
    frame->addView(copy);
    settle();

    xdotool({"mousemove", "50", "150", "mousedown", "1"});
    xdotool({"mousemove", "50", "50"});
    xdotool({"mouseup", "1"});
    EXPECT_EQ(knob->getValue(), 0.0f) << "a press beside the knob that moves over it";
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 4"), 0);

    xdotool({"mousemove", "50", "50", "mousedown", "1"});
    xdotool({"mousemove", "50", "0"});
    xdotool({"mousemove", "50", "-200"});  // past the window's edge: the drag keeps going
    xdotool({"mouseup", "1"});
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 4"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorEnd 4"), 1);

    knob->setValue(0.0f);
    xdotool({"mousemove", "50", "50", "keydown", "shift", "mousedown", "1"});
    xdotool({"mousemove", "50", "-10"});
    xdotool({"mouseup", "1", "keyup", "shift"});
    EXPECT_NEAR(knob->getValue(), 0.2f, 1e-5f) << "60 pixels at 300 per sweep";

    xdotool({"mousemove", "50", "50", "click", "4"});
    EXPECT_NEAR(knob->getValue(), 0.3f, 1e-5f) << "one notch away from the user";
    xdotool({"click", "5", "click", "5"});
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-5f);

    xdotool({"mousemove", "110", "30", "click", "1"});
    EXPECT_EQ(power->getValue(), 1.0f);

    listener.values.clear();
    xdotool({"mousemove", "170", "30", "click", "1"});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(X11FrameTest, ASecondButtonDuringADragNeitherBreaksNorDoublesTheGesture) {
    frame = openFrame();
    auto* knob = new CKnob(CRect(20, 20, 80, 80), &listener, 4, nullptr);
    auto* power = new COnOffButton(CRect(100, 20, 140, 40), &listener, 8, nullptr);
    frame->addView(knob);
    frame->addView(power);
    settle();

    // Right button pressed and released while the left drags the knob, then the left
    // first and the right last.
    xdotool({"mousemove", "50", "50", "mousedown", "1"});
    xdotool({"mousemove", "50", "40", "mousedown", "3"});
    xdotool({"mousemove", "50", "20", "mouseup", "3"});
    xdotool({"mousemove", "50", "-10"});
    xdotool({"mouseup", "1"});
    EXPECT_NEAR(knob->getValue(), 0.3f, 1e-5f) << "the knob follows the left button to the end";
    xdotool({"mousemove", "50", "50", "mousedown", "1"});
    xdotool({"mousedown", "2", "mousemove", "50", "35", "mouseup", "1"});
    xdotool({"mousemove", "50", "20", "mouseup", "2"});
    EXPECT_NEAR(knob->getValue(), 0.45f, 1e-5f) << "the gesture ends with the last button";
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 4"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorEnd 4"), 2);
    EXPECT_FALSE(knob->isEditing());

    xdotool({"mousemove", "120", "30", "mousedown", "1", "mousedown", "2"});
    xdotool({"mouseup", "2", "mouseup", "1"});
    EXPECT_EQ(power->getValue(), 1.0f) << "one click, one switch";
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 8"),
              std::count(log.begin(), log.end(), "editorEnd 8"));
    EXPECT_FALSE(power->isEditing());
}

// Opens a file dialog for each push of the button it listens to.
class DialogOpener : public IControlListener {
public:
    void valueChanged(CControl* control) override {
        if (control->getValue() < 0.5f) return;
        ++dialogs;
        CNewFileSelector* selector = CNewFileSelector::create(control->getFrame(), CNewFileSelector::kSelectFile);
        ASSERT_NE(selector, nullptr);
        selector->runModal();
        selector->forget();
    }
    int dialogs = 0;
};

TEST_F(X11FrameTest, ClicksMadeWhileAFileDialogRunsAreDroppedNotReplayed) {
    // The dialog, hidden behind the host say, while the user clicks the button again twice.
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("bin"));
    const std::string zenity = folder.file("bin/zenity");
    // Only its first dialog clicks: replayed clicks must not open dialogs that click again.
    const std::string clicked = folder.file("clicked");
    writeText(zenity, "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                      "if [ \"$1\" = --version ]; then echo 3.44.0; exit 0; fi\n"
                      "[ -e '" + clicked + "' ] && exit 1\n"
                      "touch '" + clicked + "'\n"
                      "xdotool mousemove --window \"$WINDOWID\" 190 30 click 1 click 1\n"
                      "sleep 0.3\nexit 1\n");
    chmod(zenity.c_str(), 0755);
    const std::string previousPath = std::getenv("PATH");
    setenv("PATH", (folder.file("bin") + ":" + previousPath).c_str(), 1);

    frame = openFrame();
    DialogOpener opener;
    frame->addView(new CTextButton(CRect(160, 20, 220, 40), &opener, 21, "LOAD"));
    settle();
    xdotool({"mousemove", "190", "30", "click", "1"});
    settle(nullptr, 500);
    setenv("PATH", previousPath.c_str(), 1);
    EXPECT_EQ(opener.dialogs, 1);
}

TEST_F(X11FrameTest, HostDestroyingItsWindowFirstIsHarmless) {
    frame = openFrame();
    frame->addView(new CKnob(CRect(20, 20, 80, 80), &listener, 4, nullptr));
    settle();
    XDestroyWindow(host, parent);
    XSync(host, False);
    parent = 0;
    settle();
    frame->invalid();
    settle();
    frame->forget();
    frame = nullptr;
    SUCCEED() << "the process is still here";
}

TEST_F(X11FrameTest, TwoFramesAtOnceAndReopening) {
    frame = openFrame();
    CFrame* second = openFrame();
    auto* knob = new CKnob(CRect(0, 0, 300, 200), &listener, 1, nullptr);
    second->addView(knob);  // the later window is on top
    settle(second);
    xdotool({"mousemove", "10", "10", "click", "4"}, second);
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-6f);
    second->forget();
    frame->forget();
    frame = nullptr;
    frame = openFrame();
    EXPECT_TRUE(frame->isOpen());
}

TEST(X11FrameWithoutDisplay, OpenFailsCleanly) {
    const char* saved = std::getenv("DISPLAY");
    const std::string previous = saved ? saved : "";
    setenv("DISPLAY", ":65000", 1);  // nothing listens there
    guitest::Log log;
    guitest::RecordingEditor editor{log};
    auto* frame = new CFrame(CRect(0, 0, 100, 100), &editor);
    EXPECT_FALSE(frame->open(nullptr));
    frame->idle();
    frame->forget();
    if (saved)
        setenv("DISPLAY", previous.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}  // namespace
