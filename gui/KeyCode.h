// A key as the toolkit sees it: a character, a virtual key for keys without one, and the
// modifier keys held. The numbering is the one hosts use when they forward keys.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum VirtualKey : uint8_t {
    VKEY_BACK = 1,
    VKEY_TAB = 2,
    VKEY_CLEAR = 3,
    VKEY_RETURN = 4,
    VKEY_PAUSE = 5,
    VKEY_ESCAPE = 6,
    VKEY_SPACE = 7,
    VKEY_NEXT = 8,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_PAGEUP = 15,
    VKEY_PAGEDOWN = 16,
    VKEY_ENTER = 19,
    VKEY_INSERT = 21,
    VKEY_DELETE = 22,
    VKEY_F1 = 40,
    VKEY_F12 = 51,
};

enum KeyModifier : uint8_t {
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

struct KeyCode {
    int32_t character = 0;
    uint8_t virt = 0;
    uint8_t modifier = 0;
};

}  // namespace VSTGUI
