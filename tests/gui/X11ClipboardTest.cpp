// The CLIPBOARD selection between our windows and a third-party client (xclip) in a
// private X server.
#include <chrono>
#include <thread>

#include "gui/CFrame.h"
#include "gui/platform/PlatformFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/XServerSuite.h"

using namespace VSTGUI;

namespace {

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
    // xclip, while our window keeps answering the requests it makes.
    CommandResult xclip(const std::vector<std::string>& arguments, const std::string& input = {}) {
        std::vector<std::string> command{"xclip", "-selection", "clipboard"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runCommand(command, input, 10000, [this] { frame->idle(); });
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

}  // namespace
