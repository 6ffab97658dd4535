// The background with every control at its default, where the editor places it: the way to
// check that knobs sit on their scales and needles on their marks.
#pragma once

#include <vector>

#include "tools/artwork/Artwork.h"

namespace artwork {

Surface drawPreview(const std::vector<Image>& images);

}  // namespace artwork
