#include "editor/RovuduradirEditor.h"

RovuduradirEditor::RovuduradirEditor(AudioEffect* effect) : AEffEditor(effect) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = kHeight;
    rect.right = kWidth;
}

bool RovuduradirEditor::getRect(ERect** outRect) {
    if (!outRect) return false;
    *outRect = &rect;
    return true;
}
