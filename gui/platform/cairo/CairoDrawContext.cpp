#include "gui/platform/cairo/CairoDrawContext.h"

#include <numbers>
#include <cmath>

#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"
#include "gui/platform/cairo/CairoBitmap.h"

namespace VSTGUI::platform {
namespace {

cairo_matrix_t toCairo(const CGraphicsTransform& t) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
    return m;
}

void addEllipse(cairo_t* cr, const CRect& r) {
    cairo_save(cr);
    cairo_translate(cr, r.left + r.getWidth() / 2, r.top + r.getHeight() / 2);
    cairo_scale(cr, r.getWidth() / 2, r.getHeight() / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void addRoundRect(cairo_t* cr, const CRect& r, double radius) {
    radius = std::min({radius, r.getWidth() / 2, r.getHeight() / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.right - radius, r.top + radius, radius, -std::numbers::pi / 2, 0);
    cairo_arc(cr, r.right - radius, r.bottom - radius, radius, 0, std::numbers::pi / 2);
    cairo_arc(cr, r.left + radius, r.bottom - radius, radius, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, r.left + radius, r.top + radius, radius, std::numbers::pi, 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
}

double channel(uint8_t value) { return value / 255.0; }

}  // namespace

CairoDrawContext::CairoDrawContext(cairo_surface_t* surface,
                                   const cairo_font_options_t* desktopOptions)
    : cr(cairo_create(surface)), fontOptions(cairo_font_options_create()) {
    if (desktopOptions) cairo_font_options_merge(fontOptions, desktopOptions);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    setClipRect({x1, y1, x2, y2});
}

CairoDrawContext::~CairoDrawContext() {
    cairo_font_options_destroy(fontOptions);
    cairo_destroy(cr);
}

CairoDrawContext::Scope::Scope(CairoDrawContext& context, const CGraphicsTransform* extra)
    : cr(context.cr) {
    cairo_save(cr);
    const State& state = context.currentState();
    const CRect& clip = state.clipRect;
    cairo_rectangle(cr, clip.left, clip.top, clip.getWidth(), clip.getHeight());
    cairo_clip(cr);
    CGraphicsTransform transform = state.transform;
    if (extra) transform = transform * *extra;
    if (!transform.isIdentity()) {
        const cairo_matrix_t m = toCairo(transform);
        cairo_transform(cr, &m);
    }
    cairo_set_antialias(cr, state.drawMode == kAntiAliasing ? CAIRO_ANTIALIAS_GRAY
                                                           : CAIRO_ANTIALIAS_NONE);
}

CairoDrawContext::Scope::~Scope() { cairo_restore(cr); }

void CairoDrawContext::setSourceColor(const CColor& color) {
    cairo_set_source_rgba(cr, channel(color.red), channel(color.green), channel(color.blue),
                          channel(color.alpha) * getGlobalAlpha());
}

void CairoDrawContext::applyStroke() {
    cairo_set_line_width(cr, getLineWidth());
    const CLineStyle& style = getLineStyle();
    static const cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
                                            CAIRO_LINE_CAP_SQUARE};
    static const cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                              CAIRO_LINE_JOIN_BEVEL};
    cairo_set_line_cap(cr, caps[style.cap]);
    cairo_set_line_join(cr, joins[style.join]);
    setSourceColor(getFrameColor());
}

void CairoDrawContext::fillAndStroke(CDrawStyle style) {
    if (style != kDrawStroked) {
        setSourceColor(getFillColor());
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(cr);
        else
            cairo_fill(cr);
    }
    if (style != kDrawFilled) {
        applyStroke();
        cairo_stroke(cr);
    }
}

void CairoDrawContext::drawLine(const CPoint& start, const CPoint& end) {
    Scope scope(*this);
    cairo_move_to(cr, start.x, start.y);
    cairo_line_to(cr, end.x, end.y);
    applyStroke();
    cairo_stroke(cr);
}

void CairoDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    Scope scope(*this);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    fillAndStroke(style);
}

void CairoDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
    Scope scope(*this);
    addEllipse(cr, rect);
    fillAndStroke(style);
}

void CairoDrawContext::addPath(const CGraphicsPath& path) {
    cairo_new_path(cr);
    for (const CGraphicsPath::Element& e : path.getElements()) {
        switch (e.kind) {
            case CGraphicsPath::Element::kBeginSubpath:
                cairo_move_to(cr, e.points[0].x, e.points[0].y);
                break;
            case CGraphicsPath::Element::kLine:
                cairo_line_to(cr, e.points[0].x, e.points[0].y);
                break;
            case CGraphicsPath::Element::kBezierCurve:
                cairo_curve_to(cr, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y,
                               e.points[0].x, e.points[0].y);
                break;
            case CGraphicsPath::Element::kCloseSubpath:
                cairo_close_path(cr);
                break;
            case CGraphicsPath::Element::kRect:
                cairo_rectangle(cr, e.rect.left, e.rect.top, e.rect.getWidth(), e.rect.getHeight());
                break;
            case CGraphicsPath::Element::kRoundRect:
                addRoundRect(cr, e.rect, e.radius);
                break;
            case CGraphicsPath::Element::kEllipse:
                addEllipse(cr, e.rect);
                break;
        }
    }
}

void CairoDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode,
                                        const CGraphicsTransform* transform) {
    if (!path) return;
    Scope scope(*this, transform);
    addPath(*path);
    if (mode == kPathStroked) {
        applyStroke();
        cairo_stroke(cr);
        return;
    }
    cairo_set_fill_rule(cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD
                                                       : CAIRO_FILL_RULE_WINDING);
    setSourceColor(getFillColor());
    cairo_fill(cr);
}

void CairoDrawContext::fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                                          const CPoint& startPoint, const CPoint& endPoint,
                                          bool evenOdd, const CGraphicsTransform* transform) {
    if (!path) return;
    Scope scope(*this, transform);
    addPath(*path);
    cairo_pattern_t* pattern =
        cairo_pattern_create_linear(startPoint.x, startPoint.y, endPoint.x, endPoint.y);
    for (const CGradient::ColorStop* stop : {&gradient.getFirstStop(), &gradient.getSecondStop()}) {
        const CColor& c = stop->color;
        cairo_pattern_add_color_stop_rgba(pattern, stop->start, channel(c.red), channel(c.green),
                                          channel(c.blue), channel(c.alpha) * getGlobalAlpha());
    }
    cairo_set_source(cr, pattern);
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void CairoDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                                  float alpha) {
    if (!bitmap) return;
    auto* pixels = dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap());
    if (!pixels) return;
    Scope scope(*this);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, pixels->getSurface(), dest.left - offset.x, dest.top - offset.y);
    cairo_paint_with_alpha(cr, alpha * getGlobalAlpha());
}

void CairoDrawContext::applyFont(bool antialias) {
    CFontDesc* font = getFont() ? getFont() : normalFont();
    const int32_t style = font->getStyle();
    cairo_select_font_face(cr, font->getName().c_str(),
                           style & kItalicFace ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           style & kBoldFace ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font->getSize());
    cairo_font_options_t* options = cairo_font_options_copy(fontOptions);
    if (!antialias) cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CairoDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                                  bool antialias) {
    if (!text || !*text) return;
    Scope scope(*this);
    applyFont(antialias);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double x = rect.left;
    if (align == kCenterText) x = rect.left + (rect.getWidth() - extents.x_advance) / 2;
    if (align == kRightText) x = rect.right - extents.x_advance;
    double y = rect.top + (rect.getHeight() + font.ascent - font.descent) / 2;
    // Glyphs hinted to the pixel grid stay crisp only on whole-pixel origins.
    if (getTransform().isIdentity()) {
        x = std::round(x);
        y = std::round(y);
    }
    cairo_move_to(cr, x, y);
    setSourceColor(getFontColor());
    cairo_show_text(cr, text);
}

double CairoDrawContext::getStringWidth(const char* text) {
    if (!text || !*text) return 0.0;
    cairo_save(cr);
    applyFont(true);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

}  // namespace VSTGUI::platform
