// Printed text: faces found through fontconfig and rendered by FreeType with fixed hinting
// options (not the machine's settings), placed on whole pixels so every legend is crisp and
// every run gives the same pixels.
#pragma once

#include <string>

#include "tools/artwork/Raster.h"

namespace artwork {

enum class Face { Sans, SansBold, CondensedBold, SerifBoldItalic };

struct TextStyle {
    Face face = Face::SansBold;
    double size = 10;  // pixels per em
    Colour colour{1, 1, 1};
    double alpha = 1.0;
    int tracking = 0;  // extra pixels after each letter
};

enum class Align { Left, Centre, Right };

struct TextSize {
    int advance;       // width the text occupies from its origin, tracking included
    double capHeight;  // height of a capital above the baseline
};

TextSize measureText(const std::string& text, const TextStyle& style);

// Draws text with its baseline at y, aligned on x; both are rounded to whole pixels.
void drawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align);
// Draws text whose capitals are centred vertically on cy and horizontally on cx.
void drawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double cx, double cy);

// Text pressed into a surface: a dark cut with a lit lower lip, as engraved legends look
// under a light from above.
void drawEngravedText(cairo_t* cr, const std::string& text, const TextStyle& style, double cx, double cy);

}  // namespace artwork
