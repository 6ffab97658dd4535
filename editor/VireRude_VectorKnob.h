// The small dry/wet knob: a grey disc with a black outline, drawn as vectors, under the
// knob's line handle.
#pragma once

#include "gui/CKnob.h"

class VireRude_VectorKnob : public VSTGUI::CKnob {
public:
    using CKnob::CKnob;

    void draw(VSTGUI::CDrawContext* context) override;
};
