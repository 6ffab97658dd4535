// X11 keys and pointer state in the toolkit's terms.
#pragma once

#include <X11/Xlib.h>

#include "gui/CButtonState.h"
#include "gui/KeyCode.h"

namespace VSTGUI::platform {

// A key event as the toolkit's key: a virtual key for keys without a character.
KeyCode keyFromX11(XKeyEvent& event);
// Modifier keys and held buttons of an X11 state word.
CButtonState buttonsFromX11State(unsigned int state);
// The flag of one X11 pointer button (1 left, 2 middle, 3 right, 8 and 9 back and forward).
int32_t buttonFlagFromX11(unsigned int button);

}  // namespace VSTGUI::platform
