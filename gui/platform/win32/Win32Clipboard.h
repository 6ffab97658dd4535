// The Windows clipboard's plain 8-bit text (CF_TEXT), in movable global memory blocks.
#pragma once

#include <windows.h>

#include <string>

namespace VSTGUI::platform {

// Owned by `window`: a clipboard emptied without an owner refuses the data set after.
bool setClipboardText(HWND window, const std::string& text);
// At most the block's size, up to its first zero byte.
bool getClipboardText(HWND window, std::string& text);

}  // namespace VSTGUI::platform
