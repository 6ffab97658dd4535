// The toolkit's drawing on a cairo surface. Fonts are looked up by name through
// fontconfig, which stands in metric-compatible faces for missing ones (Verdana, Arial).
#pragma once

#include <cairo.h>

#include "gui/CDrawContext.h"

namespace VSTGUI::platform {

class CairoDrawContext : public CDrawContext {
public:
    // Draws on `surface` (which it keeps a reference to); `fontOptions` (may be null)
    // carry the desktop's antialiasing and hinting for text.
    CairoDrawContext(cairo_surface_t* surface, const cairo_font_options_t* fontOptions);
    ~CairoDrawContext() override;

    void drawLine(const CPoint& start, const CPoint& end) override;
    void drawRect(const CRect& rect, CDrawStyle style) override;
    void drawEllipse(const CRect& rect, CDrawStyle style) override;
    void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode,
                          const CGraphicsTransform* transform) override;
    void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                            const CPoint& startPoint, const CPoint& endPoint, bool evenOdd,
                            const CGraphicsTransform* transform) override;
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                    float alpha) override;
    void drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                    bool antialias) override;
    double getStringWidth(const char* text) override;

private:
    // Saves cairo's state and applies the clip, transform and antialiasing; the
    // destructor restores it.
    class Scope {
    public:
        explicit Scope(CairoDrawContext& context, const CGraphicsTransform* extra = nullptr);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        cairo_t* cr;
    };

    void setSourceColor(const CColor& color);
    void applyStroke();
    void applyFont(bool antialias);
    void addPath(const CGraphicsPath& path);
    void fillAndStroke(CDrawStyle style);

    cairo_t* cr;
    cairo_font_options_t* fontOptions;
};

}  // namespace VSTGUI::platform
