// A font by face name, size in pixels and style; the drawing back end resolves the name
// to an installed face.
#pragma once

#include <cstdint>
#include <string>

#include "gui/CBaseObject.h"

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
};

class CFontDesc : public CBaseObject {
public:
    CFontDesc(std::string name, double size, int32_t style = kNormalFace)
        : name(std::move(name)), size(size), style(style) {}
    ~CFontDesc() override = default;

    const std::string& getName() const { return name; }
    double getSize() const { return size; }
    int32_t getStyle() const { return style; }

private:
    std::string name;
    double size;
    int32_t style;
};

// The toolkit's standard font: 12 pixels of "Arial".
CFontDesc* normalFont();

}  // namespace VSTGUI
