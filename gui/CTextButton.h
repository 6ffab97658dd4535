// A push button drawn as a rounded, gradient-filled body with a title. In kick style it
// reports its maximum and at once its minimum when released over itself; in on/off style
// it flips.
#pragma once

#include <string>

#include "gui/CColor.h"
#include "gui/CControl.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

class CFontDesc;
class CGradient;

class CTextButton : public CControl {
public:
    enum Style { kKickStyle = 0, kOnOffStyle };

    CTextButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                const char* title = nullptr, Style style = kKickStyle);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    int32_t onKeyDown(KeyCode& key) override;

    virtual void setTitle(const char* newTitle);
    const std::string& getTitle() const { return title; }
    virtual void setFont(CFontDesc* newFont);
    CFontDesc* getFont() const { return font; }
    virtual void setTextColor(const CColor& color);
    virtual void setTextColorHighlighted(const CColor& color);
    // A null gradient turns the body off (fill and frame) in both states.
    virtual void setGradient(CGradient* gradient);
    virtual void setGradientHighlighted(CGradient* gradient);
    virtual void setFrameColor(const CColor& color);
    virtual void setFrameColorHighlighted(const CColor& color);
    virtual void setFrameWidth(double width);
    virtual void setRoundRadius(double radius);
    virtual void setStyle(Style newStyle);
    Style getStyle() const { return style; }
    void setTextAlignment(CHoriTxtAlign alignment);
    void setTextMargin(double margin);

private:
    ~CTextButton() override;

    void setValueAndReport(float newValue);

    std::string title;
    Style style;
    CFontDesc* font;
    CColor textColor = kBlackCColor;
    CColor textColorHighlighted = kWhiteCColor;
    CGradient* gradient;
    CGradient* gradientHighlighted;
    CColor frameColor = kBlackCColor;
    CColor frameColorHighlighted = kBlackCColor;
    double frameWidth = 1.0;
    double roundRadius = 6.0;
    CHoriTxtAlign textAlignment = kCenterText;
    double textMargin = 0.0;
    float entryValue = 0.0f;
};

}  // namespace VSTGUI
