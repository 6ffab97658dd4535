#include "gui/CTextLabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, const char* text, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), text(text ? text : "") {}

void CTextLabel::setText(const char* newText) {
    const char* next = newText ? newText : "";
    if (text == next) return;
    text = next;
    setDirty();
}

}  // namespace VSTGUI
