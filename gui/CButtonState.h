// Mouse buttons and modifier keys as one word of flags.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum ButtonFlags : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
};

struct CButtonState {
    int32_t state = 0;

    constexpr CButtonState() = default;
    constexpr CButtonState(int32_t flags) : state(flags) {}  // NOLINT: a state is its flags

    static constexpr int32_t kButtonsMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
    static constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

    int32_t getButtonState() const { return state & kButtonsMask; }
    int32_t getModifierState() const { return state & kModifierMask; }
    bool isLeftButton() const { return (state & kLButton) != 0; }
    // The left button and no other.
    bool isLeftButtonOnly() const { return getButtonState() == kLButton; }
    bool operator&(int32_t flags) const { return (state & flags) != 0; }
    bool operator==(const CButtonState&) const = default;
};

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

enum CMouseWheelAxis { kMouseWheelAxisX, kMouseWheelAxisY };

}  // namespace VSTGUI
