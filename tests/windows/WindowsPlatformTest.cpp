// The Windows platform layer without a display: the images as resources of type "PNG"
// decoded by the Windows Imaging Component, and GDI+ drawing them pixel for pixel into a
// frame's back buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "editor/EditorLayout.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/platform/Clock.h"
#include "gui/platform/PlatformFrame.h"
#include "gui/platform/ResourceImages.h"
#include "gui/platform/win32/Canvas.h"
#include "gui/platform/win32/WicBitmap.h"

namespace {

using namespace VSTGUI;

TEST(WindowsResources, EveryImageIsFoundAndDecodesToItsSize) {
    for (const layout::Image& image : layout::kImages) {
        SCOPED_TRACE(image.resource);
        int32_t width = 0, height = 0;
        ASSERT_TRUE(platform::resourceImageSize(image.resource, width, height));
        EXPECT_EQ(width, image.width);
        EXPECT_EQ(height, image.height);
        const auto decoded = platform::resourceImage(image.resource);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->getWidth(), image.width);
        EXPECT_EQ(decoded->getHeight(), image.height);
    }
    EXPECT_EQ(platform::resourceImage(111), nullptr);
}

// A back buffer as a frame has it, painted by a canvas through a stand-in for the frame.
struct Painting : platform::FrameEvents {
    explicit Painting(std::function<void(CDrawContext&)> draw) : draw(std::move(draw)) {}
    void platformDrawRect(CDrawContext& context, const CRect&) override { draw(context); }
    CMouseEventResult platformOnMouseDown(CPoint&, const CButtonState&) override { return kMouseEventNotHandled; }
    CMouseEventResult platformOnMouseMoved(CPoint&, const CButtonState&) override { return kMouseEventNotHandled; }
    CMouseEventResult platformOnMouseUp(CPoint&, const CButtonState&) override { return kMouseEventNotHandled; }
    CMouseEventResult platformOnMouseCancel() override { return kMouseEventNotHandled; }
    bool platformOnMouseWheel(const CPoint&, CMouseWheelAxis, float, const CButtonState&) override { return false; }
    int32_t platformOnKeyDown(KeyCode&) override { return -1; }
    int32_t platformOnKeyUp(KeyCode&) override { return -1; }
    std::function<void(CDrawContext&)> draw;
};

std::vector<uint32_t> paintWithGdiplus(int width, int height, const std::function<void(CDrawContext&)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    HRGN region = CreateRectRgn(0, 0, width, height);
    Painting events(draw);
    auto canvas = platform::createGdiplusCanvas();
    if (canvas) canvas->paint({dc, pixels, width, height}, region, events);
    std::vector<uint32_t> copy(static_cast<const uint32_t*>(pixels), static_cast<const uint32_t*>(pixels) + width * height);
    DeleteObject(region);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return copy;
}

TEST(WindowsGdiplus, DrawsImagesPixelForPixel) {
    auto background = SharedPointer<CBitmap>::adopt(new CBitmap(layout::kBackground.resource));
    const auto shown = paintWithGdiplus(1000, 700, [&](CDrawContext& context) {
        context.drawBitmap(background.get(), CRect(0, 0, 1000, 700));
    });
    const auto* decoded = dynamic_cast<const platform::WicBitmap*>(background->getPlatformBitmap());
    ASSERT_NE(decoded, nullptr);
    long different = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
        if ((shown[i] | 0xff000000u) != (decoded->data()[i] | 0xff000000u)) ++different;
    EXPECT_EQ(different, 0) << "of " << shown.size();
}

TEST(WindowsGdiplus, FillsRectanglesExactlyAndBlendsTranslucentColour) {
    const auto shown = paintWithGdiplus(20, 20, [](CDrawContext& context) {
        context.setFillColor({0, 0, 255, 255});
        context.drawRect(CRect(0, 0, 20, 20), kDrawFilled);
        context.setFillColor({255, 0, 0, 128});
        context.drawRect(CRect(5, 5, 15, 15), kDrawFilled);
    });
    EXPECT_EQ(shown[0] & 0xffffff, 0x0000ffu) << "blue outside";
    EXPECT_EQ(shown[4 * 20 + 4] & 0xffffff, 0x0000ffu) << "the edge is where it should be";
    const uint32_t inside = shown[10 * 20 + 10];
    EXPECT_NEAR(static_cast<int>((inside >> 16) & 0xff), 128, 2) << "red half over";
    EXPECT_NEAR(static_cast<int>(inside & 0xff), 127, 2) << "blue half under";
}

TEST(WindowsClock, CountsMillisecondsAsASteadyClockDoes) {
    // Each tick reading is bracketed by steady-clock readings, so a pause of the test
    // between them widens the bounds instead of failing it; the tick's own granularity
    // (10 to 16 ms, coarser under wine) is allowed twice.
    using Steady = std::chrono::steady_clock;
    const auto milliseconds = [](Steady::duration d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    const Steady::time_point startLow = Steady::now();
    const uint32_t before = platform::millisecondTicks();
    const Steady::time_point startHigh = Steady::now();
    Sleep(100);
    const Steady::time_point endLow = Steady::now();
    const uint32_t elapsed = platform::millisecondTicks() - before;
    const Steady::time_point endHigh = Steady::now();
    constexpr long long kGranularity = 32;
    EXPECT_GE(static_cast<long long>(elapsed), milliseconds(endLow - startHigh) - kGranularity);
    EXPECT_LE(static_cast<long long>(elapsed), milliseconds(endHigh - startLow) + kGranularity);
}

}  // namespace
