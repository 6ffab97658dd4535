#include "tools/artwork/Text.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace artwork {
namespace {

struct FaceRequest {
    const char* pattern;  // fontconfig pattern
    const char* family;   // the family that must answer it
    const char* style;
};

FaceRequest requestFor(Face face) {
    switch (face) {
        case Face::Sans:
            return {"DejaVu Sans:style=Book", "DejaVu Sans", "Book"};
        case Face::SansBold:
            return {"DejaVu Sans:style=Bold", "DejaVu Sans", "Bold"};
        case Face::CondensedBold:
            return {"DejaVu Sans Condensed:style=Condensed Bold", "DejaVu Sans Condensed", "Condensed Bold"};
        case Face::SerifBoldItalic:
            return {"DejaVu Serif:style=Bold Italic", "DejaVu Serif", "Bold Italic"};
    }
    throw std::logic_error("unknown face");
}

bool patternHas(FcPattern* pattern, const char* object, const char* wanted) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, object, i, &value) == FcResultMatch; ++i)
        if (std::string(reinterpret_cast<const char*>(value)) == wanted) return true;
    return false;
}

// The file behind a face. A substitute face would change every legend, so anything but the
// exact family and style is an error.
std::pair<std::string, int> locate(Face face) {
    const FaceRequest request = requestFor(face);
    if (!FcInit()) throw std::runtime_error("fontconfig cannot start");
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request.pattern));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::string file;
    int index = 0;
    FcChar8* path = nullptr;
    if (match && patternHas(match, FC_FAMILY, request.family) && patternHas(match, FC_STYLE, request.style) &&
        FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
    }
    if (match) FcPatternDestroy(match);
    if (file.empty())
        throw std::runtime_error(std::string("font not installed: ") + request.pattern +
                                 " (Debian packages fonts-dejavu-core and fonts-dejavu-extra)");
    return {file, index};
}

// Faces live as long as the process: cairo keeps its own references in its caches.
cairo_font_face_t* fontFace(Face face) {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType cannot start");
        return lib;
    }();
    static std::map<Face, cairo_font_face_t*> faces;
    if (auto it = faces.find(face); it != faces.end()) return it->second;
    const auto [file, index] = locate(face);
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &ftFace) != 0) throw std::runtime_error("cannot open font " + file);
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    static const cairo_user_data_key_t key{};
    cairo_font_face_set_user_data(cairoFace, &key, ftFace, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    faces[face] = cairoFace;
    return cairoFace;
}

void selectFont(cairo_t* cr, const TextStyle& style) {
    cairo_set_font_face(cr, fontFace(style.face));
    cairo_set_font_size(cr, style.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Glyphs of the text laid out from (x, y) with the style's tracking.
std::vector<cairo_glyph_t> layout(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y) {
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, x, y, text.data(), static_cast<int>(text.size()), &glyphs, &count,
                                         nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot lay out text: " + text);
    std::vector<cairo_glyph_t> out(glyphs, glyphs + count);
    cairo_glyph_free(glyphs);
    for (int i = 0; i < count; ++i) out[i].x += i * style.tracking;
    return out;
}

// A scratch context for measuring, so measuring never disturbs a caller's context.
struct Scratch {
    Surface surface = makeSurface(1, 1);
    Context cr = makeContext(surface.get());
};

// Draws text measured as `size` with its baseline at y, aligned on x, both on whole pixels.
void place(cairo_t* cr, const std::string& text, const TextStyle& style, TextSize size, double x, double baseline,
           Align align) {
    double left = x;
    if (align == Align::Centre) left = x - 0.5 * size.advance;
    if (align == Align::Right) left = x - size.advance;
    cairo_save(cr);
    selectFont(cr, style);
    const auto glyphs = layout(cr, text, style, std::round(left), std::round(baseline));
    cairo_set_source_rgba(cr, style.colour.r, style.colour.g, style.colour.b, style.alpha);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);
}

}  // namespace

TextSize measureText(const std::string& text, const TextStyle& style) {
    Scratch scratch;
    selectFont(scratch.cr.get(), style);
    cairo_text_extents_t extents;
    cairo_text_extents(scratch.cr.get(), text.c_str(), &extents);
    cairo_text_extents_t capital;
    cairo_text_extents(scratch.cr.get(), "H", &capital);
    const int letters = static_cast<int>(layout(scratch.cr.get(), text, style, 0, 0).size());
    return {static_cast<int>(std::lround(extents.x_advance)) + style.tracking * std::max(0, letters - 1),
            -capital.y_bearing};
}

void drawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double baseline, Align align) {
    place(cr, text, style, measureText(text, style), x, baseline, align);
}

void drawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double cx, double cy) {
    const TextSize size = measureText(text, style);
    place(cr, text, style, size, cx, cy + 0.5 * size.capHeight, Align::Centre);
}

void drawEngravedText(cairo_t* cr, const std::string& text, const TextStyle& style, double cx, double cy) {
    const TextSize size = measureText(text, style);
    TextStyle lip = style;
    lip.colour = {1, 1, 1};
    lip.alpha = 0.35;
    place(cr, text, lip, size, cx, cy + 1 + 0.5 * size.capHeight, Align::Centre);
    place(cr, text, style, size, cx, cy + 0.5 * size.capHeight, Align::Centre);
}

}  // namespace artwork
