// A plug-in's editor inside a window of ours, as a host shows it: the window sized from
// effEditGetRect, effEditOpen with its id, idle calls, effEditClose.
#pragma once

#include "tools/validator/Check.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/XSession.h"

namespace validator {

class EditorSession {
public:
    // Skips the check when there is no display or the plug-in announces no editor.
    static void requireEditor(const Environment& environment, TestedPlugin& plugin);

    EditorSession(XConnection& connection, TestedPlugin& plugin);

    // effEditOpen into our window. The first time, skips the check when the plug-in
    // puts no window into ours (it has no editor on this system); later, fails it.
    void open();
    // effEditOpen without looking at the result (a second open, a fresh parent).
    VstIntPtr openRequest() { return plugin_.dispatch(effEditOpen, 0, 0, window_->handle()); }
    void idle(int times = 1);
    void close();
    // A new host window, as when the host shows the editor again after destroying its
    // previous window.
    void replaceWindow();

    HostWindow& window() { return *window_; }
    // Whether our window is empty within half a second (editors flush their requests to
    // the server on their own connection, on their own time).
    bool windowEmptied();

private:
    XConnection& connection_;
    TestedPlugin& plugin_;
    int width_ = 640;
    int height_ = 480;
    std::unique_ptr<HostWindow> window_;
    bool everOpened_ = false;
};

}  // namespace validator
