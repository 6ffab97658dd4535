// The editor's ten images, drawn in memory; main writes them out.
#pragma once

#include <string>
#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

struct Image {
    int resource;          // the number the plug-in embeds it under
    std::string fileName;  // e.g. 101-background.png
    Surface pixels;
};

std::vector<Image> drawArtwork();

}  // namespace artwork
