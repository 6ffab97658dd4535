// Text antialiasing and hinting as the desktop sets them (the Xft resources of the X
// server), for text drawn into memory before it reaches the window.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

namespace VSTGUI::platform {

// The caller destroys the result with cairo_font_options_destroy.
cairo_font_options_t* desktopFontOptions(Display* display);

}  // namespace VSTGUI::platform
