#include "gui/platform/win32/Canvas.h"

#include <atomic>

namespace VSTGUI::platform {

namespace {
std::atomic<bool> gdiplusOnly{false};
}  // namespace

void drawWithGdiplusOnly(bool only) { gdiplusOnly = only; }

std::unique_ptr<Canvas> createCanvas() {
    if (!gdiplusOnly)
        if (auto canvas = createDirect2DCanvas()) return canvas;
    return createGdiplusCanvas();
}

}  // namespace VSTGUI::platform
