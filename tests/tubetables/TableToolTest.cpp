// marvolenzik-tables' two outputs: the raw dump holds the built tables byte for byte in
// the documented order, and the plot is a PNG of the promised size.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BuiltTables.h"
#include "tools/tables/TableDump.h"
#include "tools/tables/TablePlot.h"

namespace {

using tubetablestest::builtTables;

std::string temporaryPath(const char* name) {
    return ::testing::TempDir() + "marvolenzik-tables-" + name;
}

TEST(TableDump, FortySlicesOfLittleEndianFloatsFamilyByFamily) {
    const std::string path = temporaryPath("dump.bin");
    ASSERT_TRUE(tubetables::dumpTables(builtTables(), path));
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::remove(path.c_str());
    constexpr int kEntries = dsp::TubeTables::kEntries;
    ASSERT_EQ(bytes.size(), std::size_t{40} * kEntries * 4);
    for (int table = 0; table < 40; ++table) {
        const float* entries = builtTables().slice(table / 10, table % 10);
        for (int j = 0; j < kEntries; ++j) {
            const unsigned char* b = &bytes[(std::size_t(table) * kEntries + j) * 4];
            const std::uint32_t bits = b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t{b[3]} << 24;
            float value;
            std::memcpy(&value, &bits, sizeof value);
            ASSERT_EQ(std::memcmp(&value, &entries[j], sizeof value), 0) << table << ", " << j;
        }
    }
}

TEST(TableDump, UnwritablePathFails) {
    EXPECT_FALSE(tubetables::dumpTables(builtTables(), "/nonexistent-directory/dump.bin"));
}

TEST(TablePlot, WritesAPngOfThePromisedSize) {
    const std::string path = temporaryPath("plot.png");
    ASSERT_TRUE(tubetables::plotTables(builtTables(), path));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    std::remove(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), tubetables::kPlotWidth);
    EXPECT_EQ(cairo_image_surface_get_height(image), tubetables::kPlotHeight);
    cairo_surface_destroy(image);
    EXPECT_FALSE(tubetables::plotTables(builtTables(), "/nonexistent-directory/plot.png"));
}

}  // namespace
