// The Windows build's editor in a window of ours under wine (with an X server): the orders
// hosts open and close it in, a drag cut short by closing, and the host destroying its own
// window first. Skipped where no window can be made (no display).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>

#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

namespace {

class WindowsEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.ok()) << library.error();
        host.setRecording(true);
        plugin = std::make_unique<vsthost::PluginInstance>(host, library);
        ASSERT_TRUE(plugin->ok());
        makeWindow();
        if (!parent) GTEST_SKIP() << "no window can be made here (no display)";
    }
    void TearDown() override {
        plugin.reset();
        if (parent) DestroyWindow(parent);
    }

    void makeWindow() {
        parent = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1020, 760, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    bool open() { return plugin->dispatch(effEditOpen, 0, 0, parent) == 1; }
    // The host's idle and its message loop, for a while.
    void idle(int times = 5) {
        for (int i = 0; i < times; ++i) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            plugin->dispatch(effEditIdle);
            Sleep(10);
        }
    }
    HWND editorWindow() const { return FindWindowExW(parent, nullptr, nullptr, nullptr); }
    long count(VstInt32 opcode) const {
        const auto requests = host.requests();
        return std::count_if(requests.begin(), requests.end(), [&](const auto& r) { return r.opcode == opcode; });
    }

    vsthost::PluginLibrary library{MARVOLENZIK_PLUGIN_PATH};
    vsthost::Host host;
    std::unique_ptr<vsthost::PluginInstance> plugin;
    HWND parent = nullptr;
};

TEST_F(WindowsEditor, OpensIntoTheHostsWindowManyTimesAndTwiceWithoutAClose) {
    for (int cycle = 0; cycle < 10; ++cycle) {
        ASSERT_TRUE(open());
        idle();
        ASSERT_NE(editorWindow(), nullptr) << "cycle " << cycle;
        if (cycle % 2) {
            ASSERT_TRUE(open()) << "a second open replaces the first";
        }
        plugin->dispatch(effEditClose);
        idle(1);
        EXPECT_EQ(editorWindow(), nullptr) << "cycle " << cycle;
    }
}

TEST_F(WindowsEditor, ClosingInTheMiddleOfADragEndsTheGesture) {
    ASSERT_TRUE(open());
    idle();
    HWND editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    host.clearRequests();
    // A press on Ratio and a move up, as the window system would send them.
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(688, 495));
    SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(688, 480));
    plugin->dispatch(effEditClose);
    EXPECT_EQ(count(audioMasterBeginEdit), 1);
    EXPECT_EQ(count(audioMasterEndEdit), 1) << "the host is not left with an open gesture";
    EXPECT_GE(count(audioMasterAutomate), 1);
}

TEST_F(WindowsEditor, SurvivesTheHostDestroyingItsWindowFirst) {
    ASSERT_TRUE(open());
    idle();
    DestroyWindow(parent);
    parent = nullptr;
    idle();
    plugin->dispatch(effEditClose);
    makeWindow();
    ASSERT_TRUE(open()) << "and opens again in a new window";
    idle();
    EXPECT_NE(editorWindow(), nullptr);
}

}  // namespace
