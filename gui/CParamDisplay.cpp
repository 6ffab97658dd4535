#include "gui/CParamDisplay.h"

#include <cmath>
#include <cstdio>

#include "gui/CFontDesc.h"
#include "gui/CGraphicsPath.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), style(style), font(normalFont()) {
    font->remember();
    setWantsFocus(false);
}

CParamDisplay::~CParamDisplay() { exchangeReference(font, nullptr); }

void CParamDisplay::draw(CDrawContext* context) {
    if ((style & kNoDrawStyle) && !showsOwnText()) {
        setDirty(false);
        return;
    }
    drawBack(context);
    if (!(style & kNoTextStyle)) drawPlatformText(context, displayText());
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context) {
    if (CBitmap* bitmap = getDrawBackground()) {
        context->drawBitmap(bitmap, size, getBackOffset());
        return;
    }
    if (getTransparency()) return;
    const bool bevelled = (style & (k3DIn | k3DOut)) != 0;
    const bool framed = !(style & kNoFrame) && !bevelled;
    CRect shape = size;
    if (framed) shape.inset(frameWidth / 2.0, frameWidth / 2.0);
    context->saveGlobalState();
    context->setLineWidth(frameWidth);
    context->setFillColor(backColor);
    context->setFrameColor(frameColor);
    if (style & kRoundRectStyle) {
        context->setDrawMode(kAntiAliasing);
        auto path = SharedPointer<CGraphicsPath>::adopt(new CGraphicsPath);
        path->addRoundRect(shape, roundRectRadius);
        context->drawGraphicsPath(path.get(), CDrawContext::kPathFilled);
        if (framed) context->drawGraphicsPath(path.get(), CDrawContext::kPathStroked);
    } else {
        context->drawRect(shape, framed ? kDrawFilledAndStroked : kDrawFilled);
    }
    if (bevelled) {
        CRect edge = size;
        edge.inset(frameWidth / 2.0, frameWidth / 2.0);
        const bool raisedLight = (style & k3DIn) != 0;
        context->setFrameColor(raisedLight ? backColor : frameColor);
        context->drawLine({edge.left, edge.bottom}, {edge.left, edge.top});
        context->drawLine({edge.left, edge.top}, {edge.right, edge.top});
        context->setFrameColor(raisedLight ? frameColor : backColor);
        context->drawLine({edge.right, edge.top}, {edge.right, edge.bottom});
        context->drawLine({edge.right, edge.bottom}, {edge.left, edge.bottom});
    }
    context->restoreGlobalState();
}

std::string CParamDisplay::displayText() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", static_cast<int>(precision),
                  static_cast<double>(value));
    return text;
}

void CParamDisplay::drawPlatformText(CDrawContext* context, const std::string& text) {
    if (text.empty()) return;
    CRect textRect = size;
    textRect.inset(textInset.x, textInset.y);
    context->saveGlobalState();
    context->setClipRect(textRect);
    const double rotation = std::fmod(std::fmod(textRotation, 360.0) + 360.0, 360.0);
    if (rotation != 0.0)
        context->concatTransform(CGraphicsTransform().rotate(rotation, textRect.getCenter()));
    context->setFont(font);
    if (style & kShadowText) {
        CRect shadowRect = textRect;
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text.c_str(), shadowRect, horiAlign, antialias);
    }
    context->setFontColor(fontColor);
    context->drawString(text.c_str(), textRect, horiAlign, antialias);
    context->restoreGlobalState();
}

void CParamDisplay::setFont(CFontDesc* newFont) {
    if (!newFont) return;
    exchangeReference(font, newFont);
    setDirty();
}

void CParamDisplay::setFontColor(const CColor& color) {
    fontColor = color;
    setDirty();
}

void CParamDisplay::setBackColor(const CColor& color) {
    backColor = color;
    setDirty();
}

void CParamDisplay::setFrameColor(const CColor& color) {
    frameColor = color;
    setDirty();
}

void CParamDisplay::setShadowColor(const CColor& color) {
    shadowColor = color;
    setDirty();
}

void CParamDisplay::setAntialias(bool state) {
    antialias = state;
    setDirty();
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align) {
    horiAlign = align;
    setDirty();
}

void CParamDisplay::setTextInset(const CPoint& inset) {
    textInset = inset;
    setDirty();
}

void CParamDisplay::setTextRotation(double degrees) {
    textRotation = degrees;
    setDirty();
}

void CParamDisplay::setStyle(int32_t newStyle) {
    style = newStyle;
    setDirty();
}

void CParamDisplay::setPrecision(uint8_t digits) {
    precision = digits;
    setDirty();
}

void CParamDisplay::setFrameWidth(double width) {
    frameWidth = width;
    setDirty();
}

void CParamDisplay::setRoundRectRadius(double radius) {
    roundRectRadius = radius;
    setDirty();
}

}  // namespace VSTGUI
