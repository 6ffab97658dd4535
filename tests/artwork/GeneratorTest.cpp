// The generator is deterministic: run again, it redraws the committed images pixel for pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PngImage.h"

namespace {

using artworktest::committedImage;
using artworktest::PngImage;

TEST(Generator, RedrawsTheCommittedImagesPixelForPixel) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "marvolenzik-artwork";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string command = std::string("'") + MARVOLENZIK_ARTWORK_PATH + "' '" + folder.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ++files;
        const PngImage fresh(entry.path().string()), committed(committedImage(name));
        ASSERT_TRUE(fresh.loaded());
        ASSERT_TRUE(committed.loaded()) << "not committed";
        ASSERT_EQ(fresh.width(), committed.width());
        ASSERT_EQ(fresh.height(), committed.height());
        ASSERT_EQ(fresh.hasAlpha(), committed.hasAlpha());
        long differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x) {
                const auto p = fresh.at(x, y), q = committed.at(x, y);
                differing += p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a;
            }
        EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(files, 10);
    std::filesystem::remove_all(folder);
}

TEST(Generator, RefusesAMissingFolderAndWrongArguments) {
    const std::string tool = std::string("'") + MARVOLENZIK_ARTWORK_PATH + "'";
    EXPECT_NE(std::system((tool + " >/dev/null 2>&1").c_str()), 0);
    EXPECT_NE(std::system((tool + " --preview >/dev/null 2>&1").c_str()), 0);
    EXPECT_NE(std::system((tool + " /nonexistent/folder >/dev/null 2>&1").c_str()), 0);
}

}  // namespace
