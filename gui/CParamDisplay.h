// Shows a value (or, as a text label, a text) in a styled box: back colour, frame,
// optional bevel and shadowed text. It takes neither the keyboard focus nor the mouse.
#pragma once

#include <string>

#include "gui/CColor.h"
#include "gui/CControl.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

class CFontDesc;

enum CParamDisplayStyle : int32_t {
    kShadowText = 1 << 2,
    k3DIn = 1 << 7,
    k3DOut = 1 << 8,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kNoFrame = 1 << 14,
    kRoundRectStyle = 1 << 15,
};

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;

    virtual void setFont(CFontDesc* newFont);
    CFontDesc* getFont() const { return font; }
    virtual void setFontColor(const CColor& color);
    virtual void setBackColor(const CColor& color);
    virtual void setFrameColor(const CColor& color);
    virtual void setShadowColor(const CColor& color);
    virtual void setAntialias(bool state);
    virtual void setHoriAlign(CHoriTxtAlign align);
    virtual void setTextInset(const CPoint& inset);
    virtual void setTextRotation(double degrees);
    virtual void setStyle(int32_t newStyle);
    int32_t getStyle() const { return style; }
    void setPrecision(uint8_t digits);
    void setFrameWidth(double width);
    void setRoundRectRadius(double radius);

protected:
    ~CParamDisplay() override;

    virtual void drawBack(CDrawContext* context);
    // The text shown: the value with `precision` decimals.
    virtual std::string displayText() const;
    // A text label keeps drawing under the style that silences a value display.
    virtual bool showsOwnText() const { return false; }
    void drawPlatformText(CDrawContext* context, const std::string& text);

    int32_t style;

private:
    CFontDesc* font;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    CHoriTxtAlign horiAlign = kCenterText;
    uint8_t precision = 2;
    CPoint textInset;
    double textRotation = 0.0;
    bool antialias = true;
    double roundRectRadius = 6.0;
    double frameWidth = 1.0;
};

}  // namespace VSTGUI
