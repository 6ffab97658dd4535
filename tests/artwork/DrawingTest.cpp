// The generator's drawing helpers: text on whole pixels, blur and shadows that respect the
// light and premultiplied colour, supersampled coverage, reproducible noise.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tools/artwork/Lighting.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/Raster.h"
#include "tools/artwork/Text.h"

namespace {

using namespace artwork;

std::uint32_t pixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* row =
        cairo_image_surface_get_data(s) + static_cast<std::size_t>(y) * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

bool samePixels(cairo_surface_t* a, cairo_surface_t* b) {
    for (int y = 0; y < cairo_image_surface_get_height(a); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(a); ++x)
            if (pixel(a, x, y) != pixel(b, x, y)) return false;
    return true;
}

// Sum of alpha, and its centroid.
struct Mass {
    double total = 0, x = 0, y = 0;
};
Mass alphaMass(cairo_surface_t* s) {
    Mass m;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            const double a = pixel(s, x, y) >> 24;
            m.total += a, m.x += a * x, m.y += a * y;
        }
    m.x /= m.total, m.y /= m.total;
    return m;
}

TEST(Text, LegendsLandOnWholePixelsWhateverTheRequestedPosition) {
    for (Face face : {Face::Sans, Face::SansBold, Face::CondensedBold, Face::SerifBoldItalic}) {
        const TextStyle style{face, 11, {1, 1, 1}, 1.0, 1};
        Surface exact = makeSurface(80, 30), shifted = makeSurface(80, 30);
        drawText(makeContext(exact.get()).get(), "GAIN 20", style, 10, 20, Align::Left);
        drawText(makeContext(shifted.get()).get(), "GAIN 20", style, 10.3, 19.8, Align::Left);
        EXPECT_TRUE(samePixels(exact.get(), shifted.get()));
        EXPECT_GT(alphaMass(exact.get()).total, 255 * 20) << "nothing drawn";
    }
}

TEST(Text, CentredLegendsSitOnTheirCentre) {
    Surface s = makeSurface(100, 40);
    drawTextCentred(makeContext(s.get()).get(), "RATIO", {Face::SansBold, 11, {1, 1, 1}, 1.0, 2}, 50, 20);
    const Mass m = alphaMass(s.get());
    EXPECT_NEAR(m.x + 0.5, 50, 1.5);
    EXPECT_NEAR(m.y + 0.5, 20, 1.5);
}

TEST(Blur, KeepsPremultipliedColourAndTheAmountOfInk) {
    Surface s = makeSurface(60, 60);
    {
        Context cr = makeContext(s.get());
        cairo_set_source_rgba(cr.get(), 0.9, 0.4, 0.1, 0.7);
        cairo_rectangle(cr.get(), 20, 20, 20, 20);
        cairo_fill(cr.get());
    }
    const double before = alphaMass(s.get()).total;
    blur(s.get(), 4);
    EXPECT_NEAR(alphaMass(s.get()).total, before, before * 0.01);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t p = pixel(s.get(), x, y);
            const std::uint32_t a = p >> 24;
            ASSERT_LE((p >> 16) & 255, a);
            ASSERT_LE((p >> 8) & 255, a);
            ASSERT_LE(p & 255, a);
        }
    EXPECT_GT(pixel(s.get(), 17, 30) >> 24, 0u) << "the edge is not soft";
}

TEST(Shadows, FallDownAndToTheRightAsTheLightComesFromTheUpperLeft) {
    Surface s = makeSurface(120, 120);
    castShadow(
        makeContext(s.get()).get(), [](cairo_t* c) { cairo_arc(c, 60, 60, 15, 0, 7); }, 10, 3, 1.0);
    const Mass m = alphaMass(s.get());
    EXPECT_GT(m.x, 60.5);
    EXPECT_GT(m.y, m.x) << "the light stands higher than it stands to the left";

    Surface recess = makeSurface(120, 120);
    insetShadow(
        makeContext(recess.get()).get(), [](cairo_t* c) { cairo_rectangle(c, 30, 30, 60, 60); }, 5, 1.0);
    EXPECT_GT(pixel(recess.get(), 32, 60) >> 24, pixel(recess.get(), 87, 60) >> 24);
    EXPECT_GT(pixel(recess.get(), 60, 32) >> 24, pixel(recess.get(), 60, 87) >> 24);
    EXPECT_EQ(pixel(recess.get(), 20, 20) >> 24, 0u) << "nothing outside the recess";
}

TEST(Raster, SupersamplingGivesPartialCoverageAtEdges) {
    Raster raster(2, 1);
    raster.shade(4, [](double x, double) { return x < 0.5 ? Pixel::opaque({1, 1, 1}) : Pixel{}; });
    EXPECT_NEAR(raster.at(0, 0).a, 0.5, 1e-12);
    EXPECT_NEAR(raster.at(1, 0).a, 0.0, 1e-12);
    const Surface s = raster.toSurface(false);
    EXPECT_EQ(pixel(s.get(), 0, 0), 0x80808080u);
}

TEST(Noise, SameSeedSamePictureOtherSeedOtherPicture) {
    int differing = 0;
    for (int i = 0; i < 100; ++i) {
        const double x = i * 1.37, y = i * 0.61;
        const double v = valueNoise(x, y, 5);
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        EXPECT_EQ(v, valueNoise(x, y, 5));
        differing += v != valueNoise(x, y, 6);
        const double f = fractalNoise(x, y, 5, 4);
        ASSERT_GE(f, -1.0);
        ASSERT_LT(f, 1.0);
    }
    EXPECT_GT(differing, 90);
}

}  // namespace
