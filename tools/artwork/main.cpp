// marvolenzik-artwork: draws the editor's ten images into a folder, or a preview of the
// window with every control at its default.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Preview.h"

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(
        out,
        "usage: marvolenzik-artwork FOLDER           the ten images, 101-background.png to 110-meter-right.png\n"
        "       marvolenzik-artwork --preview OUT.png  the window with every control at its default\n");
}

}  // namespace

int main(int argc, char** argv) {
    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    if (!(argc == 2 && argv[1][0] != '-') && !preview) {
        printUsage(stderr);
        return 2;
    }
    if (!preview && !std::filesystem::is_directory(argv[1])) {
        std::fprintf(stderr, "marvolenzik-artwork: no folder %s\n", argv[1]);
        return 1;
    }
    try {
        const std::vector<artwork::Image> images = artwork::drawArtwork();
        if (preview) {
            artwork::writePng(artwork::drawPreview(images).get(), argv[2]);
        } else {
            for (const artwork::Image& image : images)
                artwork::writePng(image.pixels.get(), std::string(argv[1]) + "/" + image.fileName);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "marvolenzik-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
