#include "gui/CNewFileSelector.h"

#include "gui/CFrame.h"
#include "gui/platform/FileDialog.h"

namespace VSTGUI {

CNewFileSelector* CNewFileSelector::create(CFrame* frame, Style style) {
    if (!frame || !frame->getPlatformFrame() || !platform::fileDialogAvailable()) return nullptr;
    return new CNewFileSelector(frame, style);
}

bool CNewFileSelector::runModal() {
    selected.clear();
    const CFileExtension& type =
        defaultExtension.extension.empty() && !extensions.empty() ? extensions.front()
                                                                  : defaultExtension;
    platform::FileDialogRequest request;
    request.save = style == kSelectSaveFile;
    request.title = title;
    request.filterName = type.description;
    request.filterPattern = type.extension.empty() ? std::string() : "*." + type.extension;
    request.startPath = initialPath;
    request.parentWindow = frame->getPlatformFrame()->nativeWindow();
    frame->flushRedraws();
    std::string chosen;
    const auto serve = [this] {
        if (platform::PlatformFrame* window = frame->getPlatformFrame()) window->serveWhileModal();
    };
    const platform::FileDialogOutcome outcome = platform::runFileDialog(request, chosen, serve);
    serve();  // what came in while the dialog was closing is dropped as well
    if (outcome != platform::FileDialogOutcome::chosen) return false;
    selected = chosen;
    return true;
}

const char* CNewFileSelector::getSelectedFile(uint32_t index) const {
    return index == 0 && !selected.empty() ? selected.c_str() : nullptr;
}

}  // namespace VSTGUI
