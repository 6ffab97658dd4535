#include "gui/CFontDesc.h"

namespace VSTGUI {

CFontDesc* normalFont() {
    // Shared by every view of the process and never released.
    static CFontDesc font("Arial", 12);
    return &font;
}

}  // namespace VSTGUI
