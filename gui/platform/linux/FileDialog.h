// The desktop's file dialog on Linux: zenity, or kdialog where zenity is missing, run as
// a child process while the caller waits (the dialog is modal to the caller). Needs
// neither X11 nor the toolkit: the caller passes its window's id and a function that
// keeps its window painted while the dialog is open.
#pragma once

#include <functional>
#include <string>

namespace VSTGUI::platform {

struct FileDialogRequest {
    bool save = false;  // a save dialog (with overwrite confirmation), else an open dialog
    std::string title;
    std::string filterName;     // the one file type offered, e.g. "Marvolenzik"
    std::string filterPattern;  // its pattern, e.g. "*.mvz"
    std::string startPath;      // absolute file or folder to start in; otherwise ignored
    unsigned long parentWindow = 0;  // X11 window the dialog belongs to; 0 for none
};

enum class FileDialogOutcome {
    chosen,       // chosenPath holds the path
    cancelled,    // closed without a choice, or the program failed
    unavailable,  // neither program is installed: no dialog can be shown
};

// True when a dialog program is installed (on PATH, absolute folders only).
bool fileDialogAvailable();

// Looks for the programs on PATH (absolute folders only) at each call. Calls
// `whileWaiting` about every 20 ms until the dialog has closed; it may be empty.
FileDialogOutcome runFileDialog(const FileDialogRequest& request, std::string& chosenPath,
                                const std::function<void()>& whileWaiting);

}  // namespace VSTGUI::platform
