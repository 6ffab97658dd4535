// The desktop's modal file dialog for one file type, as each platform offers it. Needs
// nothing of the toolkit: the caller passes its window's handle and a function that keeps
// its window painted while the dialog is open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace VSTGUI::platform {

struct FileDialogRequest {
    bool save = false;  // a save dialog (with overwrite confirmation), else an open dialog
    std::string title;
    std::string filterName;     // the one file type offered, e.g. "Marvolenzik"
    std::string filterPattern;  // its pattern, e.g. "*.mvz"
    std::string startPath;      // absolute file or folder to start in; otherwise ignored
    uintptr_t parentWindow = 0;  // native window the dialog belongs to; 0 for none
};

enum class FileDialogOutcome {
    chosen,       // chosenPath holds the path
    cancelled,    // closed without a choice, or the program failed
    unavailable,  // neither program is installed: no dialog can be shown
};

// True when this desktop can show a dialog.
bool fileDialogAvailable();

// Shows the dialog and returns when it is closed. Where the dialog runs outside the
// caller's thread, `whileWaiting` (which may be empty) is called about every 20 ms.
FileDialogOutcome runFileDialog(const FileDialogRequest& request, std::string& chosenPath,
                                const std::function<void()>& whileWaiting);

}  // namespace VSTGUI::platform
