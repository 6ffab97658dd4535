#include "gui/CTextButton.h"

#include <utility>

#include "gui/CFontDesc.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"

namespace VSTGUI {

CTextButton::CTextButton(const CRect& size, IControlListener* listener, int32_t tag,
                         const char* title, Style style)
    : CControl(size, listener, tag),
      title(title ? title : ""),
      style(style),
      font(normalFont()),
      gradient(CGradient::create(0.0, 1.0, {220, 220, 220, 255}, {180, 180, 180, 255})),
      gradientHighlighted(CGradient::create(0.0, 1.0, {180, 180, 180, 255}, {100, 100, 100, 255})) {
    font->remember();
}

CTextButton::~CTextButton() {
    exchangeReference(font, nullptr);
    exchangeReference(gradient, nullptr);
    exchangeReference(gradientHighlighted, nullptr);
}

void CTextButton::draw(CDrawContext* context) {
    const bool highlighted = value > 0.5f;
    context->saveGlobalState();
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(frameWidth);
    context->setLineStyle({CLineStyle::kLineCapRound, CLineStyle::kLineJoinRound});
    context->setFrameColor(highlighted ? frameColorHighlighted : frameColor);
    CRect r = size;
    r.inset(frameWidth / 2.0, frameWidth / 2.0);
    if (gradient && gradientHighlighted) {
        auto path = SharedPointer<CGraphicsPath>::adopt(new CGraphicsPath);
        path->addRoundRect(r, roundRadius);
        context->fillLinearGradient(path.get(), highlighted ? *gradientHighlighted : *gradient,
                                    {r.left, r.top}, {r.left, r.bottom});
        context->drawGraphicsPath(path.get(), CDrawContext::kPathStroked);
    }
    if (!title.empty()) {
        CRect textRect = r;
        if (textAlignment == kLeftText) textRect.left += textMargin;
        if (textAlignment == kRightText) textRect.right -= textMargin;
        context->setFont(font);
        context->setFontColor(highlighted ? textColorHighlighted : textColor);
        context->drawString(title.c_str(), textRect, textAlignment, true);
    }
    context->restoreGlobalState();
    setDirty(false);
}

void CTextButton::setTitle(const char* newTitle) {
    title = newTitle ? newTitle : "";
    invalid();
}

void CTextButton::setFont(CFontDesc* newFont) {
    if (!newFont) return;
    exchangeReference(font, newFont);
    invalid();
}

void CTextButton::setTextColor(const CColor& color) {
    textColor = color;
    invalid();
}

void CTextButton::setTextColorHighlighted(const CColor& color) {
    textColorHighlighted = color;
    invalid();
}

void CTextButton::setGradient(CGradient* newGradient) {
    exchangeReference(gradient, newGradient);
    invalid();
}

void CTextButton::setGradientHighlighted(CGradient* newGradient) {
    exchangeReference(gradientHighlighted, newGradient);
    invalid();
}

void CTextButton::setFrameColor(const CColor& color) {
    frameColor = color;
    invalid();
}

void CTextButton::setFrameColorHighlighted(const CColor& color) {
    frameColorHighlighted = color;
    invalid();
}

void CTextButton::setFrameWidth(double width) {
    frameWidth = width;
    invalid();
}

void CTextButton::setRoundRadius(double radius) {
    roundRadius = radius;
    invalid();
}

void CTextButton::setStyle(Style newStyle) {
    style = newStyle;
    invalid();
}

void CTextButton::setTextAlignment(CHoriTxtAlign alignment) {
    textAlignment = alignment;
    invalid();
}

void CTextButton::setTextMargin(double margin) {
    textMargin = margin;
    invalid();
}

CMouseEventResult CTextButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    entryValue = value;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CTextButton::onMouseMoved(CPoint& where, const CButtonState&) {
    if (!isEditing()) return kMouseEventNotHandled;
    const bool enteredAtMinimum = entryValue == vmin;
    if (size.pointInsideInclusive(where))
        value = enteredAtMinimum ? vmax : vmin;
    else
        value = enteredAtMinimum ? vmin : vmax;
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CTextButton::onMouseUp(CPoint&, const CButtonState&) {
    if (!isEditing()) return kMouseEventHandled;
    if (value != entryValue) {
        valueChanged();
        if (style == kKickStyle) {
            value = vmin;
            valueChanged();
        }
    }
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CTextButton::onMouseCancel() {
    value = entryValue;
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

void CTextButton::setValueAndReport(float newValue) {
    value = newValue;
    invalid();
    valueChanged();
}

int32_t CTextButton::onKeyDown(KeyCode& key) {
    if (key.virt != VKEY_RETURN || key.modifier != 0) return -1;
    if (style == kOnOffStyle) {
        beginEdit();
        setValueAndReport(value == vmin ? vmax : vmin);
        endEdit();
    } else if (value != vmax) {
        beginEdit();
        setValueAndReport(vmax);
        setValueAndReport(vmin);
        endEdit();
    }
    return 1;
}

}  // namespace VSTGUI
