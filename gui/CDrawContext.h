// What views draw with: lines, rectangles, ellipses, paths, gradients, bitmaps and text,
// with a current line width and style, colours, font, clip rectangle, transform and
// opacity. A drawing back end implements the primitives.
#pragma once

#include <vector>

#include "gui/CBaseObject.h"
#include "gui/CColor.h"
#include "gui/CGraphicsTransform.h"
#include "gui/CRect.h"

namespace VSTGUI {

class CBitmap;
class CFontDesc;
class CGradient;
class CGraphicsPath;

enum CDrawModeFlags { kAliasing = 0, kAntiAliasing = 1 };
enum CDrawStyle { kDrawStroked, kDrawFilled, kDrawFilledAndStroked };
enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

struct CLineStyle {
    enum LineCap { kLineCapButt, kLineCapRound, kLineCapSquare };
    enum LineJoin { kLineJoinMiter, kLineJoinRound, kLineJoinBevel };
    LineCap cap = kLineCapButt;
    LineJoin join = kLineJoinMiter;
};

class CDrawContext : public CBaseObject {
public:
    enum PathDrawMode { kPathFilled, kPathFilledEvenOdd, kPathStroked };

    void setDrawMode(CDrawModeFlags mode) { state.drawMode = mode; }
    CDrawModeFlags getDrawMode() const { return state.drawMode; }
    void setLineWidth(double width) { state.lineWidth = width; }
    double getLineWidth() const { return state.lineWidth; }
    void setLineStyle(const CLineStyle& style) { state.lineStyle = style; }
    const CLineStyle& getLineStyle() const { return state.lineStyle; }
    void setFrameColor(const CColor& color) { state.frameColor = color; }
    const CColor& getFrameColor() const { return state.frameColor; }
    void setFillColor(const CColor& color) { state.fillColor = color; }
    const CColor& getFillColor() const { return state.fillColor; }
    void setFontColor(const CColor& color) { state.fontColor = color; }
    const CColor& getFontColor() const { return state.fontColor; }
    void setFont(CFontDesc* font) { state.font = font; }
    CFontDesc* getFont() const { return state.font; }
    void setGlobalAlpha(float alpha) { state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return state.globalAlpha; }
    // Drawing is limited to this rectangle (in untransformed coordinates).
    void setClipRect(const CRect& clip) { state.clipRect = clip; }
    const CRect& getClipRect() const { return state.clipRect; }

    // Everything set above, and the transform, saved and restored as one.
    void saveGlobalState() { saved.push_back(state); }
    void restoreGlobalState() {
        if (saved.empty()) return;
        state = saved.back();
        saved.pop_back();
    }

    // Multiplies the current transform by `transform` until restoreGlobalState.
    void concatTransform(const CGraphicsTransform& transform) {
        state.transform = state.transform * transform;
    }
    const CGraphicsTransform& getTransform() const { return state.transform; }

    virtual void drawLine(const CPoint& start, const CPoint& end) = 0;
    virtual void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    virtual void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    virtual void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathFilled,
                                  const CGraphicsTransform* transform = nullptr) = 0;
    virtual void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                                    const CPoint& startPoint, const CPoint& endPoint,
                                    bool evenOdd = false,
                                    const CGraphicsTransform* transform = nullptr) = 0;
    // Draws the part of `bitmap` that starts at `offset` into `dest`.
    virtual void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = {},
                            float alpha = 1.0f) = 0;
    // UTF-8 text in the current font and font colour, centred vertically in `rect`.
    virtual void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                            bool antialias = true) = 0;
    virtual double getStringWidth(const char* text) = 0;

protected:
    struct State {
        CDrawModeFlags drawMode = kAliasing;
        double lineWidth = 1.0;
        CLineStyle lineStyle;
        CColor frameColor = kWhiteCColor;
        CColor fillColor = kBlackCColor;
        CColor fontColor = kWhiteCColor;
        CFontDesc* font = nullptr;
        float globalAlpha = 1.0f;
        CRect clipRect;
        CGraphicsTransform transform;
    };
    const State& currentState() const { return state; }

private:
    State state;
    std::vector<State> saved;
};

}  // namespace VSTGUI
