// A translucent shape in a corner of the window: a white gradient from clear at the
// window's edge to faint at the curved inner edge. It is a kick button underneath, so it
// reacts to clicks like one, but nothing listens for its tag.
#pragma once

#include "gui/CKickButton.h"

class VireRude_StaticVectorImage : public VSTGUI::CKickButton {
public:
    using CKickButton::CKickButton;

    void draw(VSTGUI::CDrawContext* context) override;

    // One of layout::CornerFigure; any other value draws the top-left figure (0).
    int32_t shapeKind = 0;
    // Where the curved edge meets the straight one, as a fraction of the width.
    float shapeFraction = 0.3f;
};
