// Drawing with Direct2D and DirectWrite, loaded at run time (systems without them draw with
// GDI+): a DC render target over the frame's back buffer. Ellipses and rounded corners are
// cubic curves rather than arcs, which some implementations leave out; images taller than
// the device's largest bitmap are kept in tiles.
#include <windows.h>
#include <d2d1.h>
#include <dwrite.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFontDesc.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"
#include "gui/platform/PlatformFrame.h"
#include "gui/platform/win32/Canvas.h"
#include "gui/platform/win32/ComPointer.h"
#include "gui/platform/win32/FontFallback.h"
#include "gui/platform/win32/RegionRects.h"
#include "gui/platform/win32/WicBitmap.h"
#include "gui/platform/win32/WideText.h"

namespace VSTGUI::platform {

namespace {

// The two factories of the process, or none where either library is missing.
struct Factories {
    ComPointer<ID2D1Factory> d2d;
    ComPointer<IDWriteFactory> write;
};

const Factories* factories() {
    static Factories made;
    static std::once_flag once;
    std::call_once(once, [] {
        using CreateD2D = HRESULT(WINAPI*)(D2D1_FACTORY_TYPE, REFIID, const D2D1_FACTORY_OPTIONS*, void**);
        using CreateWrite = HRESULT(WINAPI*)(DWRITE_FACTORY_TYPE, REFIID, IUnknown**);
        HMODULE d2d = LoadLibraryW(L"d2d1.dll");
        HMODULE write = LoadLibraryW(L"dwrite.dll");
        auto createD2D = d2d ? reinterpret_cast<CreateD2D>(reinterpret_cast<void*>(GetProcAddress(d2d, "D2D1CreateFactory"))) : nullptr;
        auto createWrite = write ? reinterpret_cast<CreateWrite>(reinterpret_cast<void*>(GetProcAddress(write, "DWriteCreateFactory"))) : nullptr;
        if (!createD2D || !createWrite) return;
        if (FAILED(createD2D(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                             reinterpret_cast<void**>(made.d2d.put()))) ||
            FAILED(createWrite(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                               reinterpret_cast<IUnknown**>(made.write.put())))) {
            made.d2d.reset();
            made.write.reset();
        }
    });
    return made.d2d && made.write ? &made : nullptr;
}

D2D1_POINT_2F point(const CPoint& p) { return D2D1::Point2F(static_cast<float>(p.x), static_cast<float>(p.y)); }
D2D1_RECT_F rectangle(const CRect& r) {
    return D2D1::RectF(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                       static_cast<float>(r.bottom));
}

// An ellipse, and a rounded rectangle's corners, as cubic curves: the control points lie
// this share of the radius along the tangents.
constexpr double kQuarterCircle = 0.5522847498;

class PathBuilder {
public:
    explicit PathBuilder(ID2D1GeometrySink* sink) : sink(sink) {}
    ~PathBuilder() { endFigure(false); }

    void begin(const CPoint& at) {
        endFigure(false);
        sink->BeginFigure(point(at), D2D1_FIGURE_BEGIN_FILLED);
        open = true;
        current = at;
    }
    void line(const CPoint& to) {
        if (!open) begin(current);
        sink->AddLine(point(to));
        current = to;
    }
    void curve(const CPoint& c1, const CPoint& c2, const CPoint& to) {
        if (!open) begin(current);
        sink->AddBezier(D2D1::BezierSegment(point(c1), point(c2), point(to)));
        current = to;
    }
    void close() { endFigure(true); }

    void ellipse(const CRect& r) {
        const double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        const double rx = r.getWidth() / 2, ry = r.getHeight() / 2;
        const double kx = rx * kQuarterCircle, ky = ry * kQuarterCircle;
        begin({cx + rx, cy});
        curve({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
        curve({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
        curve({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
        curve({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
        close();
    }
    void roundRect(const CRect& b, double radius) {
        const double r = std::min({radius, b.getWidth() / 2, b.getHeight() / 2}), k = r * (1 - kQuarterCircle);
        begin({b.left + r, b.top});
        line({b.right - r, b.top});
        curve({b.right - k, b.top}, {b.right, b.top + k}, {b.right, b.top + r});
        line({b.right, b.bottom - r});
        curve({b.right, b.bottom - k}, {b.right - k, b.bottom}, {b.right - r, b.bottom});
        line({b.left + r, b.bottom});
        curve({b.left + k, b.bottom}, {b.left, b.bottom - k}, {b.left, b.bottom - r});
        line({b.left, b.top + r});
        curve({b.left, b.top + k}, {b.left + k, b.top}, {b.left + r, b.top});
        close();
    }
    void rect(const CRect& b) {
        begin({b.left, b.top});
        line({b.right, b.top});
        line({b.right, b.bottom});
        line({b.left, b.bottom});
        close();
    }

private:
    void endFigure(bool closed) {
        if (!open) return;
        sink->EndFigure(closed ? D2D1_FIGURE_END_CLOSED : D2D1_FIGURE_END_OPEN);
        open = false;
    }

    ID2D1GeometrySink* sink;
    bool open = false;
    CPoint current;
};

// An image on the device, in tiles of at most the device's largest bitmap.
struct DeviceImage {
    struct Tile {
        ComPointer<ID2D1Bitmap> bitmap;
        int top, height;
    };
    std::vector<Tile> tiles;
};

class Direct2DDrawContext : public CDrawContext {
public:
    Direct2DDrawContext(ID2D1RenderTarget& target, const Factories& factories, uint64_t device)
        : target(target), factories(factories), device(device) {}

    void drawLine(const CPoint& start, const CPoint& end) override {
        Scope scope(*this);
        auto brush = solid(getFrameColor());
        auto style = strokeStyle();
        if (brush) target.DrawLine(point(start), point(end), brush.get(), lineWidth(), style.get());
    }
    void drawRect(const CRect& rect, CDrawStyle style) override {
        fillAndStroke([&](PathBuilder& p) { p.rect(rect); }, style, false);
    }
    void drawEllipse(const CRect& rect, CDrawStyle style) override {
        fillAndStroke([&](PathBuilder& p) { p.ellipse(rect); }, style, false);
    }
    void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, const CGraphicsTransform* transform) override {
        if (!path) return;
        Scope scope(*this, transform);
        auto geometry = build([&](PathBuilder& p) { addPath(p, *path); }, mode == kPathFilledEvenOdd);
        if (!geometry) return;
        if (mode == kPathStroked) {
            auto brush = solid(getFrameColor());
            auto style = strokeStyle();
            if (brush) target.DrawGeometry(geometry.get(), brush.get(), lineWidth(), style.get());
        } else if (auto brush = solid(getFillColor())) {
            target.FillGeometry(geometry.get(), brush.get());
        }
    }
    void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                            const CPoint& endPoint, bool evenOdd, const CGraphicsTransform* transform) override {
        if (!path) return;
        Scope scope(*this, transform);
        auto geometry = build([&](PathBuilder& p) { addPath(p, *path); }, evenOdd);
        const CGradient::ColorStop& first = gradient.getFirstStop();
        const CGradient::ColorStop& second = gradient.getSecondStop();
        const D2D1_GRADIENT_STOP stops[] = {{static_cast<float>(first.start), colour(first.color)},
                                            {static_cast<float>(second.start), colour(second.color)}};
        ComPointer<ID2D1GradientStopCollection> collection;
        ComPointer<ID2D1LinearGradientBrush> brush;
        if (!geometry || FAILED(target.CreateGradientStopCollection(stops, 2, D2D1_GAMMA_2_2, D2D1_EXTEND_MODE_CLAMP,
                                                                     collection.put())) ||
            FAILED(target.CreateLinearGradientBrush(D2D1::LinearGradientBrushProperties(point(startPoint), point(endPoint)),
                                                    collection.get(), brush.put())))
            return;
        target.FillGeometry(geometry.get(), brush.get());
    }
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override {
        if (!bitmap) return;
        const auto* pixels = dynamic_cast<const WicBitmap*>(bitmap->getPlatformBitmap());
        const DeviceImage* image = pixels ? deviceImage(*pixels) : nullptr;
        if (!image) return;
        Scope scope(*this);
        const double top = offset.y, bottom = offset.y + dest.getHeight();
        for (const DeviceImage::Tile& tile : image->tiles) {
            const double from = std::max(top, static_cast<double>(tile.top));
            const double to = std::min(bottom, static_cast<double>(tile.top + tile.height));
            if (to <= from) continue;
            const D2D1_RECT_F source = D2D1::RectF(static_cast<float>(offset.x), static_cast<float>(from - tile.top),
                                                   static_cast<float>(offset.x + dest.getWidth()), static_cast<float>(to - tile.top));
            const CRect part(dest.left, dest.top + (from - top), dest.right, dest.top + (to - top));
            target.DrawBitmap(tile.bitmap.get(), rectangle(part), alpha * getGlobalAlpha(),
                              D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR, source);
        }
    }
    void drawString(const char* text, const CRect& rect, CHoriTxtAlign align, bool antialias) override {
        if (!text || !*text) return;
        Scope scope(*this);
        const std::wstring wide = wideFromUtf8(text);
        Layout layout = makeLayout(wide);
        if (!layout.layout) return;
        target.SetTextAntialiasMode(antialias ? D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE : D2D1_TEXT_ANTIALIAS_MODE_ALIASED);
        double x = rect.left;
        if (align == kCenterText) x = rect.left + (rect.getWidth() - layout.width) / 2;
        if (align == kRightText) x = rect.right - layout.width;
        // The baseline where ascent and descent split evenly about the line's middle.
        double baseline = rect.top + (rect.getHeight() + layout.ascent - layout.descent) / 2;
        if (getTransform().isIdentity()) {
            x = std::round(x);
            baseline = std::round(baseline);
        }
        if (auto brush = solid(getFontColor()))
            target.DrawTextLayout(D2D1::Point2F(static_cast<float>(x), static_cast<float>(baseline - layout.lineBaseline)),
                                  layout.layout.get(), brush.get(), D2D1_DRAW_TEXT_OPTIONS_NONE);
    }
    double getStringWidth(const char* text) override {
        if (!text || !*text) return 0.0;
        return makeLayout(wideFromUtf8(text)).width;
    }

private:
    class Scope {
    public:
        explicit Scope(Direct2DDrawContext& context, const CGraphicsTransform* extra = nullptr) : target(context.target) {
            const State& state = context.currentState();
            target.SetTransform(D2D1::Matrix3x2F::Identity());
            target.PushAxisAlignedClip(rectangle(state.clipRect), D2D1_ANTIALIAS_MODE_ALIASED);
            CGraphicsTransform t = state.transform;
            if (extra) t = t * *extra;
            target.SetTransform(D2D1::Matrix3x2F(static_cast<float>(t.m11), static_cast<float>(t.m21),
                                                 static_cast<float>(t.m12), static_cast<float>(t.m22),
                                                 static_cast<float>(t.dx), static_cast<float>(t.dy)));
            target.SetAntialiasMode(state.drawMode == kAntiAliasing ? D2D1_ANTIALIAS_MODE_PER_PRIMITIVE
                                                                   : D2D1_ANTIALIAS_MODE_ALIASED);
        }
        ~Scope() {
            target.SetTransform(D2D1::Matrix3x2F::Identity());
            target.PopAxisAlignedClip();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ID2D1RenderTarget& target;
    };

    struct Layout {
        ComPointer<IDWriteTextLayout> layout;
        double width = 0.0, ascent = 0.0, descent = 0.0, lineBaseline = 0.0;
    };


    D2D1_COLOR_F colour(const CColor& c) const {
        return D2D1::ColorF(c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f, c.alpha / 255.0f * getGlobalAlpha());
    }
    ComPointer<ID2D1SolidColorBrush> solid(const CColor& c) {
        ComPointer<ID2D1SolidColorBrush> brush;
        target.CreateSolidColorBrush(colour(c), brush.put());
        return brush;
    }
    float lineWidth() const { return static_cast<float>(getLineWidth()); }
    ComPointer<ID2D1StrokeStyle> strokeStyle() {
        static const D2D1_CAP_STYLE caps[] = {D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_ROUND, D2D1_CAP_STYLE_SQUARE};
        static const D2D1_LINE_JOIN joins[] = {D2D1_LINE_JOIN_MITER, D2D1_LINE_JOIN_ROUND, D2D1_LINE_JOIN_BEVEL};
        const CLineStyle& line = getLineStyle();
        ComPointer<ID2D1StrokeStyle> style;
        factories.d2d->CreateStrokeStyle(D2D1::StrokeStyleProperties(caps[line.cap], caps[line.cap], caps[line.cap],
                                                                     joins[line.join]),
                                         nullptr, 0, style.put());
        return style;
    }

    template <typename Figures>
    ComPointer<ID2D1PathGeometry> build(Figures&& figures, bool evenOdd) {
        ComPointer<ID2D1PathGeometry> geometry;
        ComPointer<ID2D1GeometrySink> sink;
        if (FAILED(factories.d2d->CreatePathGeometry(geometry.put())) || FAILED(geometry->Open(sink.put()))) return {};
        sink->SetFillMode(evenOdd ? D2D1_FILL_MODE_ALTERNATE : D2D1_FILL_MODE_WINDING);
        {
            PathBuilder builder(sink.get());
            figures(builder);
        }
        if (FAILED(sink->Close())) return {};
        return geometry;
    }

    template <typename Figures>
    void fillAndStroke(Figures&& figures, CDrawStyle style, bool evenOdd) {
        Scope scope(*this);
        auto geometry = build(figures, evenOdd);
        if (!geometry) return;
        if (style != kDrawStroked)
            if (auto brush = solid(getFillColor())) target.FillGeometry(geometry.get(), brush.get());
        if (style != kDrawFilled) {
            auto brush = solid(getFrameColor());
            auto stroke = strokeStyle();
            if (brush) target.DrawGeometry(geometry.get(), brush.get(), lineWidth(), stroke.get());
        }
    }

    static void addPath(PathBuilder& builder, const CGraphicsPath& path) {
        for (const CGraphicsPath::Element& e : path.getElements()) {
            switch (e.kind) {
                case CGraphicsPath::Element::kBeginSubpath:
                    builder.begin(e.points[0]);
                    break;
                case CGraphicsPath::Element::kLine:
                    builder.line(e.points[0]);
                    break;
                case CGraphicsPath::Element::kBezierCurve:
                    builder.curve(e.points[1], e.points[2], e.points[0]);
                    break;
                case CGraphicsPath::Element::kCloseSubpath:
                    builder.close();
                    break;
                case CGraphicsPath::Element::kRect:
                    builder.rect(e.rect);
                    break;
                case CGraphicsPath::Element::kRoundRect:
                    builder.roundRect(e.rect, e.radius);
                    break;
                case CGraphicsPath::Element::kEllipse:
                    builder.ellipse(e.rect);
                    break;
            }
        }
    }

    // The image's tiles on this device, made on first use.
    const DeviceImage* deviceImage(const WicBitmap& pixels) {
        auto& copies = pixels.deviceCopies();
        if (auto found = copies.find(device); found != copies.end())
            return static_cast<const DeviceImage*>(found->second.get());
        auto image = std::make_shared<DeviceImage>();
        const int tileHeight = static_cast<int>(std::max<UINT32>(1, target.GetMaximumBitmapSize()));
        const D2D1_BITMAP_PROPERTIES properties =
            D2D1::BitmapProperties(D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
        for (int top = 0; top < pixels.getHeight(); top += tileHeight) {
            DeviceImage::Tile tile;
            tile.top = top;
            tile.height = std::min(tileHeight, pixels.getHeight() - top);
            const auto size = D2D1::SizeU(static_cast<UINT32>(pixels.getWidth()), static_cast<UINT32>(tile.height));
            if (FAILED(target.CreateBitmap(size, pixels.data() + static_cast<std::size_t>(top) * pixels.getWidth(),
                                           static_cast<UINT32>(pixels.stride()), properties, tile.bitmap.put())))
                return nullptr;
            image->tiles.push_back(std::move(tile));
        }
        copies[device] = image;
        return image.get();
    }

    Layout makeLayout(const std::wstring& text) {
        CFontDesc* font = getFont() ? getFont() : normalFont();
        ComPointer<IDWriteFontCollection> fonts;
        if (FAILED(factories.write->GetSystemFontCollection(fonts.put(), FALSE))) return {};
        const int32_t style = font->getStyle();
        const DWRITE_FONT_WEIGHT weight = style & kBoldFace ? DWRITE_FONT_WEIGHT_BOLD : DWRITE_FONT_WEIGHT_NORMAL;
        const DWRITE_FONT_STYLE slant = style & kItalicFace ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL;
        for (const std::wstring& name : fontCandidates(font->getName())) {
            UINT32 index = 0;
            BOOL exists = FALSE;
            if (FAILED(fonts->FindFamilyName(name.c_str(), &index, &exists)) || !exists) continue;
            ComPointer<IDWriteFontFamily> family;
            ComPointer<IDWriteFont> face;
            ComPointer<IDWriteTextFormat> format;
            Layout layout;
            if (FAILED(fonts->GetFontFamily(index, family.put())) ||
                FAILED(family->GetFirstMatchingFont(weight, DWRITE_FONT_STRETCH_NORMAL, slant, face.put())) ||
                FAILED(factories.write->CreateTextFormat(name.c_str(), fonts.get(), weight, slant,
                                                         DWRITE_FONT_STRETCH_NORMAL, static_cast<float>(font->getSize()),
                                                         L"", format.put())) ||
                FAILED(factories.write->CreateTextLayout(text.c_str(), static_cast<UINT32>(text.size()), format.get(),
                                                         1e6f, 1e6f, layout.layout.put())))
                continue;
            DWRITE_FONT_METRICS metrics{};
            face->GetMetrics(&metrics);
            const double scale = font->getSize() / metrics.designUnitsPerEm;
            layout.ascent = metrics.ascent * scale;
            layout.descent = metrics.descent * scale;
            DWRITE_TEXT_METRICS extent{};
            layout.layout->GetMetrics(&extent);
            layout.width = extent.widthIncludingTrailingWhitespace;
            DWRITE_LINE_METRICS line{};
            UINT32 lines = 0;
            layout.layout->GetLineMetrics(&line, 1, &lines);
            layout.lineBaseline = line.baseline;
            return layout;
        }
        return {};
    }

    ID2D1RenderTarget& target;
    const Factories& factories;
    uint64_t device;
};

// The render target lives as long as the frame; a lost one is made again.
class Direct2DCanvas : public Canvas {
public:
    explicit Direct2DCanvas(const Factories& factories) : factories(factories) {}

    void paint(const BackBufferView& buffer, HRGN region, FrameEvents& events) override {
        if (!target && !makeTarget()) return;
        const RECT whole{0, 0, buffer.width, buffer.height};
        if (FAILED(target->BindDC(buffer.dc, &whole))) return;
        target->BeginDraw();
        for (const RECT& r : regionRects(region)) {
            Direct2DDrawContext context(*target.get(), factories, device);
            const CRect rect(r.left, r.top, r.right, r.bottom);
            context.setClipRect(rect);
            events.platformDrawRect(context, rect);
        }
        if (target->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) target.reset();
    }

private:
    bool makeTarget() {
        const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
            D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
            96.0f, 96.0f);
        if (FAILED(factories.d2d->CreateDCRenderTarget(&properties, target.put()))) return false;
        // A new device: images are copied onto it afresh.
        static uint64_t devices = 0;
        device = ++devices;
        return true;
    }

    const Factories& factories;
    ComPointer<ID2D1DCRenderTarget> target;
    uint64_t device = 0;
};

}  // namespace

std::unique_ptr<Canvas> createDirect2DCanvas() {
    const Factories* made = factories();
    if (!made) return nullptr;
    return std::make_unique<Direct2DCanvas>(*made);
}

}  // namespace VSTGUI::platform
