// The file dialog on Windows: the shell's file-dialog objects, or the common dialogs where
// those cannot be made (older systems). Both run their own modal loop on the caller's
// thread, which keeps the editor painted; paths travel as UTF-8.
#include "gui/platform/FileDialog.h"

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <optional>
#include <string>
#include <vector>

#include "gui/platform/win32/ComPointer.h"
#include "gui/platform/win32/WideText.h"

namespace VSTGUI::platform {

namespace {

// The folder of the start path: the path itself when it names a folder.
std::wstring startFolder(const FileDialogRequest& request) {
    std::wstring path = wideFromUtf8(request.startPath);
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

HWND ownerOf(const FileDialogRequest& request) {
    HWND window = reinterpret_cast<HWND>(request.parentWindow);
    return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

std::optional<FileDialogOutcome> runShellDialog(const FileDialogRequest& request, std::string& chosenPath) {
    ComPointer<IFileDialog> dialog;
    const CLSID kind = request.save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
    if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put())))) return std::nullopt;
    const std::wstring title = wideFromUtf8(request.title), name = wideFromUtf8(request.filterName), pattern = wideFromUtf8(request.filterPattern);
    const COMDLG_FILTERSPEC filter{name.c_str(), pattern.c_str()};
    dialog->SetFileTypes(1, &filter);
    dialog->SetFileTypeIndex(1);
    dialog->SetTitle(title.c_str());
    const std::wstring folder = startFolder(request);
    ComPointer<IShellItem> start;
    if (!folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(start.put()))))
        dialog->SetFolder(start.get());
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | (request.save ? FOS_OVERWRITEPROMPT : FOS_FILEMUSTEXIST));
    const HRESULT shown = dialog->Show(ownerOf(request));
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED) || FAILED(shown)) return FileDialogOutcome::cancelled;
    ComPointer<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put()))) return FileDialogOutcome::cancelled;
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return FileDialogOutcome::cancelled;
    chosenPath = utf8FromWide(path);
    CoTaskMemFree(path);
    return chosenPath.empty() ? FileDialogOutcome::cancelled : FileDialogOutcome::chosen;
}

FileDialogOutcome runCommonDialog(const FileDialogRequest& request, std::string& chosenPath) {
    const std::wstring title = wideFromUtf8(request.title);
    // Pairs of description and pattern, each ending in a zero, the list in a second one.
    std::wstring filter = wideFromUtf8(request.filterName) + L'\0' + wideFromUtf8(request.filterPattern) + L'\0' + L'\0';
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ownerOf(request);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.c_str();
    const std::wstring folder = startFolder(request);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return FileDialogOutcome::cancelled;
    chosenPath = utf8FromWide(path.data());
    return chosenPath.empty() ? FileDialogOutcome::cancelled : FileDialogOutcome::chosen;
}

}  // namespace

bool fileDialogAvailable() { return true; }

FileDialogOutcome runFileDialog(const FileDialogRequest& request, std::string& chosenPath,
                                const std::function<void()>&) {
    if (const auto outcome = runShellDialog(request, chosenPath)) return *outcome;
    return runCommonDialog(request, chosenPath);
}

}  // namespace VSTGUI::platform
