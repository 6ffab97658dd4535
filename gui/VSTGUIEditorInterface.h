// What the toolkit asks of the editor that owns a frame: the edit gestures of its
// controls, by tag.
#pragma once

#include <cstdint>

namespace VSTGUI {

class VSTGUIEditorInterface {
public:
    virtual void beginEdit(int32_t index) = 0;
    virtual void endEdit(int32_t index) = 0;

protected:
    ~VSTGUIEditorInterface() = default;
};

}  // namespace VSTGUI
