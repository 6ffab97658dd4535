// The CLIPBOARD selection between our windows and a third-party client (xclip) in a
// private X server.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "gui/CFrame.h"
#include "gui/platform/PlatformFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/XServerSuite.h"

// After the test framework, whose names X11's macros would clash with.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace VSTGUI;

namespace {

// Another X client on a thread and a connection of its own, owning a selection and handing
// the requests for it to its subclass.
class OtherClient {
public:
    OtherClient() : display(XOpenDisplay(nullptr)) {
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    }
    virtual ~OtherClient() { XCloseDisplay(display); }

protected:
    // Subclasses own once they are made, and finish before they go.
    void own(const char* selection, Time time) {
        XSetSelectionOwner(display, atom(selection), window, time);
        XSync(display, False);
        thread = std::thread([this] { run(); });
    }
    void finish() {
        stop = true;
        thread.join();
    }
    virtual void onRequest(const XSelectionRequestEvent& request) = 0;

    Atom atom(const char* name) { return XInternAtom(display, name, False); }
    void reply(const XSelectionRequestEvent& request, Atom property) {
        XSelectionEvent notify{};
        notify.type = SelectionNotify;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.time = request.time;
        notify.property = property;
        XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&notify));
        XFlush(display);
    }
    void giveText(const XSelectionRequestEvent& request, const std::string& text) {
        XChangeProperty(display, request.requestor, request.property, request.target, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        reply(request, request.property);
    }
    // The server's time now, from a change of one of our window's properties.
    Time serverTime() {
        XSelectInput(display, window, PropertyChangeMask);
        XChangeProperty(display, window, atom("STAND_IN_TIME"), XA_STRING, 8, PropModeAppend,
                        nullptr, 0);
        XEvent event;
        XWindowEvent(display, window, PropertyChangeMask, &event);
        return event.xproperty.time;
    }

    Display* display;
    Window window = 0;

private:
    void run() {
        while (!stop) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == SelectionRequest) onRequest(event.xselectionrequest);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    std::atomic<bool> stop{false};
    std::thread thread;
};

// A clipboard manager as desktops run one: it owns CLIPBOARD_MANAGER, and when an owner asks
// it to SAVE_TARGETS it takes the text and from then on answers for the CLIPBOARD itself.
class StandInClipboardManager : public OtherClient {
public:
    StandInClipboardManager() { own("CLIPBOARD_MANAGER", CurrentTime); }
    ~StandInClipboardManager() override { finish(); }

private:
    void onRequest(const XSelectionRequestEvent& request) override {
        if (request.target == atom("SAVE_TARGETS")) {
            saved = take();
            XSetSelectionOwner(display, atom("CLIPBOARD"), window, CurrentTime);
            reply(request, request.property);
        } else if (request.selection == atom("CLIPBOARD") && request.target == atom("UTF8_STRING")) {
            giveText(request, saved);
        } else {
            reply(request, None);
        }
    }

    // The CLIPBOARD's text from its owner, which waits for our answer meanwhile.
    std::string take() {
        const Atom property = atom("STAND_IN_MANAGER");
        XConvertSelection(display, atom("CLIPBOARD"), atom("UTF8_STRING"), property, window,
                          CurrentTime);
        for (int waited = 0; waited < 200; ++waited) {
            XEvent event;
            if (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
                Atom type = 0;
                int format = 0;
                unsigned long count = 0;
                unsigned long remaining = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty(display, window, property, 0, 1 << 16, True, AnyPropertyType,
                                   &type, &format, &count, &remaining, &data);
                std::string text(data ? reinterpret_cast<const char*>(data) : "", data ? count : 0);
                if (data) XFree(data);
                return text;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return {};
    }

    std::string saved;
};

// An owner as strict as some toolkits are: it refuses requests made at a time before it
// took the clipboard (requests at the current time it answers).
class StrictClipboardOwner : public OtherClient {
public:
    explicit StrictClipboardOwner(std::string text) : text(std::move(text)) {
        ownedSince = serverTime();
        own("CLIPBOARD", ownedSince);
    }
    ~StrictClipboardOwner() override { finish(); }

private:
    void onRequest(const XSelectionRequestEvent& request) override {
        const bool tooOld = request.time != CurrentTime && request.time < ownedSince;
        if (tooOld || request.target != atom("UTF8_STRING"))
            reply(request, None);
        else
            giveText(request, text);
    }

    std::string text;
    Time ownedSince = CurrentTime;
};

class X11ClipboardTest : public XServerSuite<> {
protected:
    void SetUp() override {
        if (const std::string missing = missingForX({"xclip"}); !missing.empty())
            GTEST_SKIP() << missing;
        frame = open();
    }
    void TearDown() override {
        if (frame) frame->forget();
    }

    CFrame* open() {
        auto* opened = new CFrame(CRect(0, 0, 100, 100), &editor);
        EXPECT_TRUE(opened->open(nullptr));
        return opened;
    }
    platform::PlatformFrame& window(CFrame* which = nullptr) const {
        return *(which ? which : frame)->getPlatformFrame();
    }
    std::string xclipOutput() {
        return runCommand({"xclip", "-selection", "clipboard", "-o"}, {}, 10000).out;
    }
    // xclip, while our window keeps answering the requests it makes.
    CommandResult xclip(const std::vector<std::string>& arguments, const std::string& input = {}) {
        std::vector<std::string> command{"xclip", "-selection", "clipboard"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runCommand(command, input, 10000, [this] { frame->idle(); });
    }

    // A real click, which gives the window an X event time; later copies by other programs
    // are newer than it.
    bool clickInTheWindow() {
        const auto ourWindow = static_cast<unsigned long>(window().nativeWindow());
        if (!xdotoolIn(ourWindow, {"mousemove", "50", "50", "click", "1"})) return false;
        frame->idle();
        return true;
    }

    guitest::Log log;
    guitest::RecordingEditor editor{log};
    CFrame* frame = nullptr;
};

TEST_F(X11ClipboardTest, CopiedTextReachesAnotherProgram) {
    const std::string text = "Marvolenzik 010000\nInGain 0.5000000000\n";
    ASSERT_TRUE(window().setClipboardText(text));
    const CommandResult pasted = xclip({"-o"});
    EXPECT_EQ(pasted.exitCode, 0);
    EXPECT_EQ(pasted.out, text);
    const CommandResult targets = xclip({"-o", "-t", "TARGETS"});
    EXPECT_NE(targets.out.find("UTF8_STRING"), std::string::npos) << targets.out;
    EXPECT_NE(targets.out.find("STRING"), std::string::npos);
}

TEST_F(X11ClipboardTest, TextFromAnotherProgramIsRead) {
    ASSERT_TRUE(xclipOwns("pasted from elsewhere", [this] { frame->idle(); }));
    std::string text;
    ASSERT_TRUE(window().getClipboardText(text));
    EXPECT_EQ(text, "pasted from elsewhere");
}

TEST_F(X11ClipboardTest, WindowsOfOneProcessReadEachOthersCopies) {
    CFrame* other = open();
    ASSERT_TRUE(window().setClipboardText("from the first editor"));
    std::string text;
    // The first window gets no idle meanwhile: the text must not depend on it answering.
    ASSERT_TRUE(window(other).getClipboardText(text));
    EXPECT_EQ(text, "from the first editor");
    ASSERT_TRUE(window().getClipboardText(text));
    EXPECT_EQ(text, "from the first editor") << "our own copy, read back";
    other->forget();
}

TEST_F(X11ClipboardTest, OwnershipPassesOnWhenAnotherProgramCopies) {
    ASSERT_TRUE(window().setClipboardText("ours"));
    ASSERT_TRUE(xclipOwns("theirs", [this] { frame->idle(); }));
    frame->idle();  // the SelectionClear arrives
    std::string text;
    ASSERT_TRUE(window().getClipboardText(text));
    EXPECT_EQ(text, "theirs");
}

TEST_F(X11ClipboardTest, ACopyTakesTheClipboardBackAfterAnotherProgramTookItLater) {
    // A click gives the window an event time; another program copies after it; then a copy
    // comes by a key the host passed on, which carries no time of its own.
    if (const std::string missing = missingForX({"xdotool"}); !missing.empty())
        GTEST_SKIP() << missing;
    ASSERT_TRUE(clickInTheWindow());
    ASSERT_TRUE(xclipOwns("theirs", [this] { frame->idle(); }));
    frame->idle();
    ASSERT_TRUE(window().setClipboardText("ours again"));
    EXPECT_EQ(xclip({"-o"}).out, "ours again");
}

TEST_F(X11ClipboardTest, AStrictOwnerThatCopiedAfterOurLastEventIsReadAllTheSame) {
    if (const std::string missing = missingForX({"xdotool"}); !missing.empty())
        GTEST_SKIP() << missing;
    ASSERT_TRUE(clickInTheWindow());
    StrictClipboardOwner owner("copied later");
    std::string text;
    ASSERT_TRUE(window().getClipboardText(text));
    EXPECT_EQ(text, "copied later");
}

TEST_F(X11ClipboardTest, EmptyClipboardAndHugeTextsEndQuickly) {
    ASSERT_EQ(xclip({}, std::string(3 << 20, 'x')).exitCode, 0);
    std::string text;
    const auto start = std::chrono::steady_clock::now();
    const bool got = window().getClipboardText(text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    if (got) {
        EXPECT_LE(text.size(), std::size_t{1} << 20) << "cut to what we ever read";
    }
}

TEST_F(X11ClipboardTest, CopySurvivesClosingTheWindowWhenAManagerRuns) {
    StandInClipboardManager manager;
    ASSERT_TRUE(window().setClipboardText("kept after closing"));
    frame->forget();  // hands the text to the manager before the window goes
    frame = nullptr;
    EXPECT_EQ(xclipOutput(), "kept after closing");
}

}  // namespace
