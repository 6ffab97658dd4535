// For the tests under wine only: the plug-in built once more with every editor drawing with
// GDI+, since wine's Direct2D leaves parts of the picture out. No setting of the shipped
// plug-in reaches this; it is part of this test build alone.
#include "gui/platform/win32/Canvas.h"

namespace {

struct DrawWithGdiplus {
    DrawWithGdiplus() { VSTGUI::platform::drawWithGdiplusOnly(true); }
} drawWithGdiplus;

}  // namespace
