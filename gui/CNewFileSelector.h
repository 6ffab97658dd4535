// A modal dialog that lets the user choose a file to open or to save, of one type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/CBaseObject.h"

namespace VSTGUI {

class CFrame;

struct CFileExtension {
    std::string description;  // "Marvolenzik"
    std::string extension;    // "mvz", without the dot
};

class CNewFileSelector : public CBaseObject {
public:
    enum Style { kSelectFile, kSelectSaveFile };

    // Null when the frame has no window or no file dialog can be shown on this desktop.
    static CNewFileSelector* create(CFrame* frame, Style style);

    void setTitle(const char* title) { this->title = title ? title : ""; }
    void addFileExtension(const CFileExtension& extension) { extensions.push_back(extension); }
    // The type offered first; this selector offers one type, the default one.
    void setDefaultExtension(const CFileExtension& extension) { defaultExtension = extension; }
    // Where the dialog starts: an absolute file or folder.
    void setInitialPath(const std::string& path) { initialPath = path; }

    // Shows the dialog and returns when it is closed: true when the user chose a file.
    // The window keeps being painted meanwhile.
    bool runModal();
    uint32_t getNumSelectedFiles() const { return selected.empty() ? 0 : 1; }
    const char* getSelectedFile(uint32_t index) const;

private:
    CNewFileSelector(CFrame* frame, Style style) : frame(frame), style(style) {}

    CFrame* frame;
    Style style;
    std::string title;
    std::vector<CFileExtension> extensions;
    CFileExtension defaultExtension;
    std::string initialPath;
    std::string selected;
};

}  // namespace VSTGUI
