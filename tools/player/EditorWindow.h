// A top-level window with a plug-in's editor inside, as a DAW shows it: the window is the
// parent the editor opens in, and the editor gets its idle about 30 times a second (and at
// once when its descriptor has data). Keys typed into the window reach editors that take
// them from the host. An X11 window on Linux, a Win32 one on Windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace vsthost {

class PluginEditor;

class EditorWindow {
public:
    // Throws ToolError when there is no display or the editor does not open.
    EditorWindow(PluginEditor& editor, const std::string& title);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Runs until the user closes the window or `keepRunning` answers false.
    void run(const std::function<bool()>& keepRunning);
    // Writes what the window shows now as a PNG file; false on failure.
    bool writeScreenshot(const std::string& path);

private:
    struct Native;  // the window system's side
    PluginEditor& editor;
    std::unique_ptr<Native> native;
};

}  // namespace vsthost
