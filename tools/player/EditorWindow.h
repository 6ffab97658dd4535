// A top-level window with a plug-in's editor inside, as a DAW shows it: the window is the
// parent handed to effEditOpen, and the editor gets effEditIdle about 30 times a second.
// Keys typed into the window reach the editor through effEditKeyDown and effEditKeyUp.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace vsthost {

class PluginInstance;

class EditorWindow {
public:
    // Throws ToolError when there is no display or the plug-in opens no editor.
    EditorWindow(PluginInstance& plugin, const std::string& title);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Runs until the user closes the window or `keepRunning` answers false.
    void run(const std::function<bool()>& keepRunning);
    // Writes what the window shows now as a PNG file; false on failure.
    bool writeScreenshot(const std::string& path);

private:
    bool handle(XEvent& event);

    int width = 0;
    int height = 0;
    PluginInstance& plugin;
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;
    bool editorOpen = false;
};

}  // namespace vsthost
