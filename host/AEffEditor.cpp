#include "host/AEffEditor.h"

#include "host/AudioEffect.h"

AEffEditor::AEffEditor(AudioEffect* effect) : effect(effect) {
    if (effect) effect->setEditor(this);
}

AEffEditor::~AEffEditor() {
    if (effect && effect->getEditor() == this) effect->setEditor(nullptr);
}

bool AEffEditor::getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return false;
}

bool AEffEditor::open(void* parentWindow) {
    systemWindow = parentWindow;
    return false;
}
