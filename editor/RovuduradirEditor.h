// The effect's editor. Its window is 1000 x 700 pixels; until the window itself is
// built, open() declines and hosts show their generic parameter view instead.
#pragma once

#include "host/AEffEditor.h"

class RovuduradirEditor : public AEffEditor {
public:
    static constexpr VstInt16 kWidth = 1000;
    static constexpr VstInt16 kHeight = 700;

    explicit RovuduradirEditor(AudioEffect* effect);

    bool getRect(ERect** rect) override;

private:
    ERect rect{};
};
