// Drawing with GDI+: the toolkit's primitives on a Graphics over the frame's back buffer.
// GDI+ is part of every Windows; it draws the same pixels every run, under wine too.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <memory>
#include <mutex>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFontDesc.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"
#include "gui/platform/PlatformFrame.h"
#include "gui/platform/win32/Canvas.h"
#include "gui/platform/win32/FontFallback.h"
#include "gui/platform/win32/RegionRects.h"
#include "gui/platform/win32/WicBitmap.h"
#include "gui/platform/win32/WideText.h"

namespace VSTGUI::platform {

namespace {

namespace G = Gdiplus;

// Started once per process and never shut down: a DLL may not shut it down while it is
// being unloaded, and a host may still draw with it.
bool gdiplusStarted() {
    static bool started = false;
    static std::once_flag once;
    std::call_once(once, [] {
        G::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        started = G::GdiplusStartup(&token, &input, nullptr) == G::Ok;
    });
    return started;
}

BYTE channel(double value) { return static_cast<BYTE>(std::lround(std::clamp(value, 0.0, 255.0))); }

class GdiplusDrawContext : public CDrawContext {
public:
    explicit GdiplusDrawContext(G::Graphics& graphics) : graphics(graphics) {}

    void drawLine(const CPoint& start, const CPoint& end) override {
        Scope scope(*this);
        graphics.DrawLine(framePen().get(), G::PointF(f(start.x), f(start.y)), G::PointF(f(end.x), f(end.y)));
    }
    void drawRect(const CRect& rect, CDrawStyle style) override {
        G::GraphicsPath path;
        path.AddRectangle(G::RectF(f(rect.left), f(rect.top), f(rect.getWidth()), f(rect.getHeight())));
        fillAndStroke(path, style);
    }
    void drawEllipse(const CRect& rect, CDrawStyle style) override {
        G::GraphicsPath path;
        path.AddEllipse(G::RectF(f(rect.left), f(rect.top), f(rect.getWidth()), f(rect.getHeight())));
        fillAndStroke(path, style);
    }
    void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, const CGraphicsTransform* transform) override {
        if (!path) return;
        Scope scope(*this, transform);
        G::GraphicsPath shape(mode == kPathFilledEvenOdd ? G::FillModeAlternate : G::FillModeWinding);
        addPath(shape, *path);
        if (mode == kPathStroked) {
            graphics.DrawPath(framePen().get(), &shape);
        } else {
            G::SolidBrush brush(colour(getFillColor()));
            graphics.FillPath(&brush, &shape);
        }
    }
    void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                            const CPoint& endPoint, bool evenOdd, const CGraphicsTransform* transform) override {
        if (!path) return;
        Scope scope(*this, transform);
        G::GraphicsPath shape(evenOdd ? G::FillModeAlternate : G::FillModeWinding);
        addPath(shape, *path);
        const CGradient::ColorStop& first = gradient.getFirstStop();
        const CGradient::ColorStop& second = gradient.getSecondStop();
        // The gradient's line from its first stop to its second; beyond them the end
        // colours continue, as in the other back ends.
        const CPoint along(endPoint.x - startPoint.x, endPoint.y - startPoint.y);
        const auto at = [&](double t) { return G::PointF(f(startPoint.x + along.x * t), f(startPoint.y + along.y * t)); };
        G::LinearGradientBrush brush(at(first.start), at(second.start), colour(first.color), colour(second.color));
        brush.SetWrapMode(G::WrapModeTileFlipXY);
        graphics.FillPath(&brush, &shape);
    }
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override {
        if (!bitmap) return;
        const auto* pixels = dynamic_cast<const WicBitmap*>(bitmap->getPlatformBitmap());
        if (!pixels) return;
        Scope scope(*this);
        G::Bitmap image(pixels->getWidth(), pixels->getHeight(), pixels->stride(), PixelFormat32bppPARGB,
                        reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels->data())));
        // Pixels land on pixels, unscaled and unblurred, as the images were drawn for.
        graphics.SetInterpolationMode(G::InterpolationModeNearestNeighbor);
        const float opacity = alpha * getGlobalAlpha();
        G::ColorMatrix fade{{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, opacity, 0}, {0, 0, 0, 0, 1}}};
        G::ImageAttributes attributes;
        if (opacity < 1.0f) attributes.SetColorMatrix(&fade);
        graphics.DrawImage(&image, G::RectF(f(dest.left), f(dest.top), f(dest.getWidth()), f(dest.getHeight())),
                           f(offset.x), f(offset.y), f(dest.getWidth()), f(dest.getHeight()), G::UnitPixel,
                           opacity < 1.0f ? &attributes : nullptr);
    }
    void drawString(const char* text, const CRect& rect, CHoriTxtAlign align, bool antialias) override {
        if (!text || !*text) return;
        Scope scope(*this);
        const Face face = currentFace();
        if (!face.font) return;
        const std::wstring wide = wideFromUtf8(text);
        graphics.SetTextRenderingHint(antialias ? G::TextRenderingHintAntiAliasGridFit : G::TextRenderingHintSingleBitPerPixelGridFit);
        const double width = measure(face, wide);
        double x = rect.left;
        if (align == kCenterText) x = rect.left + (rect.getWidth() - width) / 2;
        if (align == kRightText) x = rect.right - width;
        // Centred on the line as the other back ends place it: the baseline where ascent
        // and descent are split evenly about the middle.
        double baseline = rect.top + (rect.getHeight() + face.ascent - face.descent) / 2;
        if (getTransform().isIdentity()) {
            x = std::round(x);
            baseline = std::round(baseline);
        }
        G::SolidBrush brush(colour(getFontColor()));
        graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), face.font.get(),
                            G::PointF(f(x), f(baseline - face.ascent)), G::StringFormat::GenericTypographic(), &brush);
    }
    double getStringWidth(const char* text) override {
        if (!text || !*text) return 0.0;
        const Face face = currentFace();
        return face.font ? measure(face, wideFromUtf8(text)) : 0.0;
    }

private:
    struct Face {
        std::shared_ptr<G::Font> font;
        double ascent = 0.0, descent = 0.0;
    };

    // Graphics state for one primitive: clip, transform and antialiasing, undone after.
    class Scope {
    public:
        explicit Scope(GdiplusDrawContext& context, const CGraphicsTransform* extra = nullptr)
            : graphics(context.graphics), saved(graphics.Save()) {
            const State& state = context.currentState();
            const CRect& clip = state.clipRect;
            graphics.SetClip(G::RectF(f(clip.left), f(clip.top), f(clip.getWidth()), f(clip.getHeight())),
                             G::CombineModeReplace);
            CGraphicsTransform t = state.transform;
            if (extra) t = t * *extra;
            G::Matrix matrix(f(t.m11), f(t.m21), f(t.m12), f(t.m22), f(t.dx), f(t.dy));
            graphics.SetTransform(&matrix);
            graphics.SetSmoothingMode(state.drawMode == kAntiAliasing ? G::SmoothingModeAntiAlias : G::SmoothingModeNone);
            // Pixel edges at whole coordinates, as in the other back ends.
            graphics.SetPixelOffsetMode(G::PixelOffsetModeHalf);
        }
        ~Scope() { graphics.Restore(saved); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        G::Graphics& graphics;
        G::GraphicsState saved;
    };

    static G::REAL f(double value) { return static_cast<G::REAL>(value); }


    G::Color colour(const CColor& c) const {
        return G::Color(channel(c.alpha * getGlobalAlpha()), c.red, c.green, c.blue);
    }

    // The frame colour at the line width, with the line style's caps and joins.
    std::unique_ptr<G::Pen> framePen() const {
        auto pen = std::make_unique<G::Pen>(colour(getFrameColor()), f(getLineWidth()));
        static const G::LineCap caps[] = {G::LineCapFlat, G::LineCapRound, G::LineCapSquare};
        static const G::LineJoin joins[] = {G::LineJoinMiter, G::LineJoinRound, G::LineJoinBevel};
        const CLineStyle& style = getLineStyle();
        pen->SetLineCap(caps[style.cap], caps[style.cap], G::DashCapFlat);
        pen->SetLineJoin(joins[style.join]);
        return pen;
    }

    void fillAndStroke(G::GraphicsPath& path, CDrawStyle style) {
        Scope scope(*this);
        if (style != kDrawStroked) {
            G::SolidBrush brush(colour(getFillColor()));
            graphics.FillPath(&brush, &path);
        }
        if (style != kDrawFilled) {
            graphics.DrawPath(framePen().get(), &path);
        }
    }

    static void addPath(G::GraphicsPath& shape, const CGraphicsPath& path) {
        G::PointF current;
        for (const CGraphicsPath::Element& e : path.getElements()) {
            const auto point = [&](int i) { return G::PointF(f(e.points[i].x), f(e.points[i].y)); };
            switch (e.kind) {
                case CGraphicsPath::Element::kBeginSubpath:
                    shape.StartFigure();
                    current = point(0);
                    break;
                case CGraphicsPath::Element::kLine:
                    shape.AddLine(current, point(0));
                    current = point(0);
                    break;
                case CGraphicsPath::Element::kBezierCurve:
                    shape.AddBezier(current, point(1), point(2), point(0));
                    current = point(0);
                    break;
                case CGraphicsPath::Element::kCloseSubpath:
                    shape.CloseFigure();
                    break;
                case CGraphicsPath::Element::kRect:
                    shape.AddRectangle(G::RectF(f(e.rect.left), f(e.rect.top), f(e.rect.getWidth()), f(e.rect.getHeight())));
                    break;
                case CGraphicsPath::Element::kRoundRect: {
                    const double r = std::min({e.radius, e.rect.getWidth() / 2, e.rect.getHeight() / 2});
                    const G::REAL d = f(2 * r);
                    const CRect& b = e.rect;
                    shape.StartFigure();
                    shape.AddArc(f(b.right) - d, f(b.top), d, d, 270, 90);
                    shape.AddArc(f(b.right) - d, f(b.bottom) - d, d, d, 0, 90);
                    shape.AddArc(f(b.left), f(b.bottom) - d, d, d, 90, 90);
                    shape.AddArc(f(b.left), f(b.top), d, d, 180, 90);
                    shape.CloseFigure();
                    break;
                }
                case CGraphicsPath::Element::kEllipse:
                    shape.AddEllipse(G::RectF(f(e.rect.left), f(e.rect.top), f(e.rect.getWidth()), f(e.rect.getHeight())));
                    break;
            }
        }
    }

    Face currentFace() {
        CFontDesc* font = getFont() ? getFont() : normalFont();
        Face face;
        for (const std::wstring& name : fontCandidates(font->getName())) {
            G::FontFamily family(name.c_str());
            if (family.GetLastStatus() != G::Ok || !family.IsAvailable()) continue;
            const int32_t style = font->getStyle();
            const INT gdiStyle = (style & kBoldFace ? G::FontStyleBold : 0) | (style & kItalicFace ? G::FontStyleItalic : 0);
            face.font = std::make_shared<G::Font>(&family, f(font->getSize()), gdiStyle, G::UnitPixel);
            if (face.font->GetLastStatus() != G::Ok) continue;
            const double em = family.GetEmHeight(gdiStyle);
            face.ascent = font->getSize() * family.GetCellAscent(gdiStyle) / em;
            face.descent = font->getSize() * family.GetCellDescent(gdiStyle) / em;
            return face;
        }
        return {};
    }

    double measure(const Face& face, const std::wstring& text) {
        G::RectF bounds;
        graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), face.font.get(), G::PointF(0, 0),
                               G::StringFormat::GenericTypographic(), &bounds);
        return bounds.Width;
    }

    G::Graphics& graphics;
};

class GdiplusCanvas : public Canvas {
public:
    void paint(const BackBufferView& buffer, HRGN region, FrameEvents& events) override {
        // On the pixels themselves, so that GDI+ composes with their alpha.
        G::Bitmap pixels(buffer.width, buffer.height, buffer.width * 4, PixelFormat32bppPARGB,
                         static_cast<BYTE*>(buffer.pixels));
        G::Graphics graphics(&pixels);
        for (const RECT& r : regionRects(region)) {
            GdiplusDrawContext context(graphics);
            const CRect rect(r.left, r.top, r.right, r.bottom);
            context.setClipRect(rect);
            events.platformDrawRect(context, rect);
        }
        GdiFlush();
    }
};

}  // namespace

std::unique_ptr<Canvas> createGdiplusCanvas() {
    if (!gdiplusStarted()) return nullptr;
    return std::make_unique<GdiplusCanvas>();
}

}  // namespace VSTGUI::platform
