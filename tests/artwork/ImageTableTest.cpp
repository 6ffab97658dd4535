// The ten committed images: each has the size and frame layout the editor cuts it by.
#include <gtest/gtest.h>

#include <cstdio>

#include "PngImage.h"
#include "editor/EditorLayout.h"

namespace {

using artworktest::committedImage;
using artworktest::PngImage;

struct Expected {
    const char* file;
    int width, height, frames;
    bool transparent;  // the knobs let the printed dial show round them
};

constexpr Expected kImages[] = {
    {"101-background.png", 1000, 700, 1, false},    {"102-knob-a.png", 160, 20436, 131, true},
    {"103-knob-b.png", 160, 20436, 131, true},      {"104-grid-left.png", 268, 837, 9, false},
    {"105-grid-right.png", 268, 837, 9, false},     {"106-power.png", 144, 206, 2, false},
    {"107-autogain.png", 59, 210, 2, false},        {"108-sidechain.png", 120, 381, 3, false},
    {"109-meter-left.png", 157, 13362, 131, false}, {"110-meter-right.png", 157, 13362, 131, false},
};

TEST(ImageTable, EveryImageHasItsSizeAndWholeFrames) {
    const int frameHeights[] = {700, 156, 156, 93, 93, 103, 105, 127, 102, 102};
    int i = 0;
    for (const Expected& e : kImages) {
        SCOPED_TRACE(e.file);
        const PngImage image(committedImage(e.file));
        ASSERT_TRUE(image.loaded());
        EXPECT_EQ(image.width(), e.width);
        EXPECT_EQ(image.height(), e.height);
        EXPECT_EQ(image.height() % e.frames, 0);
        EXPECT_EQ(image.height() / e.frames, frameHeights[i++]);
    }
}

// The editor cuts the images by its layout table: it must describe the committed files.
TEST(ImageTable, TheEditorsLayoutDescribesTheCommittedImages) {
    ASSERT_EQ(layout::kImages.size(), std::size(kImages));
    for (std::size_t i = 0; i < std::size(kImages); ++i) {
        const layout::Image& placed = layout::kImages[i];
        SCOPED_TRACE(kImages[i].file);
        char number[8];
        std::snprintf(number, sizeof number, "%d-", placed.resource);
        EXPECT_EQ(std::string(kImages[i].file).rfind(number, 0), 0u) << "resource " << placed.resource;
        EXPECT_EQ(placed.width, kImages[i].width);
        EXPECT_EQ(placed.height, kImages[i].height);
        EXPECT_EQ(placed.frames, kImages[i].frames);
    }
}

TEST(ImageTable, OnlyTheKnobsAreTransparentAndTheyAreClearAtTheirCorners) {
    for (const Expected& e : kImages) {
        SCOPED_TRACE(e.file);
        const PngImage image(committedImage(e.file));
        ASSERT_TRUE(image.loaded());
        if (!e.transparent) {
            for (int y = 0; y < image.height(); y += 7)
                for (int x = 0; x < image.width(); x += 3) ASSERT_EQ(image.at(x, y).a, 255) << x << "," << y;
            continue;
        }
        const int frameHeight = image.height() / e.frames;
        for (int f = 0; f < e.frames; ++f)
            for (const auto& [x, y] :
                 {std::pair{0, 0}, {image.width() - 1, 0}, {0, frameHeight - 1}, {image.width() - 1, frameHeight - 1}})
                ASSERT_EQ(image.at(x, f * frameHeight + y).a, 0) << "frame " << f;
    }
}

}  // namespace
