#include "gui/platform/linux/DesktopFontOptions.h"

#include <X11/Xresource.h>

#include <cstring>
#include <string>

namespace VSTGUI::platform {
namespace {

// The value of one resource ("Xft.hintstyle") in the server's resource string.
std::string resourceValue(const char* resources, const char* name) {
    const std::size_t nameLength = std::strlen(name);
    for (const char* line = resources; line && *line;) {
        const char* end = std::strchr(line, '\n');
        const std::size_t length = end ? static_cast<std::size_t>(end - line) : std::strlen(line);
        if (length > nameLength && std::strncmp(line, name, nameLength) == 0 &&
            line[nameLength] == ':') {
            std::string value(line + nameLength + 1, length - nameLength - 1);
            const auto first = value.find_first_not_of(" \t");
            return first == std::string::npos ? std::string() : value.substr(first);
        }
        line = end ? end + 1 : nullptr;
    }
    return {};
}

}  // namespace

cairo_font_options_t* desktopFontOptions(Display* display) {
    cairo_font_options_t* options = cairo_font_options_create();
    const char* resources = XResourceManagerString(display);
    if (!resources) return options;  // fontconfig's own settings apply
    const std::string antialias = resourceValue(resources, "Xft.antialias");
    const std::string hinting = resourceValue(resources, "Xft.hinting");
    const std::string hintStyle = resourceValue(resources, "Xft.hintstyle");
    const std::string rgba = resourceValue(resources, "Xft.rgba");
    if (antialias == "0") cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    if (rgba == "rgb" || rgba == "bgr" || rgba == "vrgb" || rgba == "vbgr") {
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_SUBPIXEL);
        const cairo_subpixel_order_t order =
            rgba == "rgb"    ? CAIRO_SUBPIXEL_ORDER_RGB
            : rgba == "bgr"  ? CAIRO_SUBPIXEL_ORDER_BGR
            : rgba == "vrgb" ? CAIRO_SUBPIXEL_ORDER_VRGB
                             : CAIRO_SUBPIXEL_ORDER_VBGR;
        cairo_font_options_set_subpixel_order(options, order);
    }
    if (hinting == "0") cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    if (hintStyle == "hintslight") cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    if (hintStyle == "hintmedium") cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_MEDIUM);
    if (hintStyle == "hintfull") cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    return options;
}

}  // namespace VSTGUI::platform
