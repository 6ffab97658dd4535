#include "gui/platform/win32/Win32Clipboard.h"

#include <cstring>

namespace VSTGUI::platform {

namespace {

// Another program may hold the clipboard open for a moment.
bool openClipboard(HWND window) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(window)) return true;
        Sleep(5);
    }
    return false;
}

}  // namespace

bool setClipboardText(HWND window, const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) return false;
    if (void* bytes = GlobalLock(block)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
    } else {
        GlobalFree(block);
        return false;
    }
    if (!openClipboard(window)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the block from here on, unless it refused it.
    const bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!taken) GlobalFree(block);
    return taken;
}

bool getClipboardText(HWND window, std::string& text) {
    if (!openClipboard(window)) return false;
    bool found = false;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
            const std::size_t size = GlobalSize(block);
            const void* zero = std::memchr(bytes, '\0', size);
            text.assign(bytes, zero ? static_cast<const char*>(zero) - bytes : size);
            GlobalUnlock(block);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

}  // namespace VSTGUI::platform
