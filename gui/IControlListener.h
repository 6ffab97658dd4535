// What a control tells its owner: user changes of its value, the start and end of an
// edit gesture, and clicks with a modifier (a true answer consumes the click).
#pragma once

#include "gui/CButtonState.h"

namespace VSTGUI {

class CControl;

class IControlListener {
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual bool controlModifierClicked(CControl*, CButtonState) { return false; }
    virtual void controlBeginEdit(CControl*) {}
    virtual void controlEndEdit(CControl*) {}
    virtual void controlTagWillChange(CControl*) {}
    virtual void controlTagDidChange(CControl*) {}
};

}  // namespace VSTGUI
