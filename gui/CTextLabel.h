// A parameter display that shows a text of its own instead of a value.
#pragma once

#include <string>

#include "gui/CParamDisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay {
public:
    CTextLabel(const CRect& size, const char* text = nullptr, CBitmap* background = nullptr,
               int32_t style = 0);

    // Marks the label for redrawing only when the text really changes.
    virtual void setText(const char* text);
    const std::string& getText() const { return text; }

protected:
    std::string displayText() const override { return text; }
    bool showsOwnText() const override { return true; }

private:
    std::string text;
};

}  // namespace VSTGUI
