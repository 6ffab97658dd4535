#include "gui/platform/linux/X11Keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>

namespace VSTGUI::platform {
namespace {

struct KeyMapping {
    KeySym keysym;
    uint8_t virt;
};

const KeyMapping virtualKeys[] = {
    {XK_BackSpace, VKEY_BACK}, {XK_Tab, VKEY_TAB},         {XK_ISO_Left_Tab, VKEY_TAB},
    {XK_Clear, VKEY_CLEAR},    {XK_Return, VKEY_RETURN},   {XK_Pause, VKEY_PAUSE},
    {XK_Escape, VKEY_ESCAPE},  {XK_space, VKEY_SPACE},     {XK_Next, VKEY_NEXT},
    {XK_End, VKEY_END},        {XK_Home, VKEY_HOME},       {XK_Left, VKEY_LEFT},
    {XK_Up, VKEY_UP},          {XK_Right, VKEY_RIGHT},     {XK_Down, VKEY_DOWN},
    {XK_Page_Up, VKEY_PAGEUP}, {XK_Page_Down, VKEY_PAGEDOWN}, {XK_KP_Enter, VKEY_ENTER},
    {XK_Insert, VKEY_INSERT},  {XK_Delete, VKEY_DELETE},
};

}  // namespace

KeyCode keyFromX11(XKeyEvent& event) {
    KeyCode key;
    char text[8] = {};
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text - 1, &keysym, nullptr);
    for (const KeyMapping& mapping : virtualKeys)
        if (mapping.keysym == keysym) key.virt = mapping.virt;
    if (keysym >= XK_F1 && keysym <= XK_F12)
        key.virt = static_cast<uint8_t>(VKEY_F1 + (keysym - XK_F1));
    if (key.virt == 0 && length == 1) key.character = static_cast<unsigned char>(text[0]);
    if (event.state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (event.state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    if (event.state & ControlMask) key.modifier |= MODIFIER_CONTROL;
    return key;
}

CButtonState buttonsFromX11State(unsigned int state) {
    int32_t flags = 0;
    if (state & Button1Mask) flags |= kLButton;
    if (state & Button2Mask) flags |= kMButton;
    if (state & Button3Mask) flags |= kRButton;
    if (state & ShiftMask) flags |= kShift;
    if (state & ControlMask) flags |= kControl;
    if (state & Mod1Mask) flags |= kAlt;
    return flags;
}

int32_t buttonFlagFromX11(unsigned int button) {
    switch (button) {
        case Button1:
            return kLButton;
        case Button2:
            return kMButton;
        case Button3:
            return kRButton;
        case 8:
            return kButton4;
        case 9:
            return kButton5;
        default:
            return 0;
    }
}

}  // namespace VSTGUI::platform
