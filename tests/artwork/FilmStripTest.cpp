// What the frames show, measured from the committed pixels: knob pointers, grille glow,
// meter needle, switch states, and frames that blend into the background at their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "PngImage.h"

namespace {

using artworktest::committedImage;
using artworktest::PngImage;
using artworktest::Rgba;

constexpr double kPi = 3.14159265358979323846;
constexpr int kKnobFrameHeight = 156;
constexpr double kKnobCentreX = 80, kKnobCentreY = 78;
constexpr int kMeterFrameHeight = 102;

// A frame of a 131-frame strip whose pointer or needle stands far from the one in `frame`.
int farFrame(int frame) { return frame < 65 ? 130 : 0; }

bool white(const PngImage& strip, int frame, int x, int y) {
    const Rgba p = strip.at(x, frame * kKnobFrameHeight + y);
    return p.a > 200 && p.r > 170 && p.g > 170 && p.b > 170;
}

// Direction (degrees clockwise from the +x axis, y down) from the knob's centre to the
// centroid of its white pointer marks in one frame: what is white there but not in a frame
// turned far away (highlights stay where the light puts them).
double pointerDirection(const PngImage& strip, int frame) {
    const int away = farFrame(frame);
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < kKnobFrameHeight; ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (white(strip, frame, x, y) && !white(strip, away, x, y))
                sx += x + 0.5 - kKnobCentreX, sy += y + 0.5 - kKnobCentreY, ++n;
    EXPECT_GT(n, 20) << "no pointer in frame " << frame;
    const double degrees = std::atan2(sy, sx) * 180 / kPi;
    return degrees < 0 ? degrees + 360 : degrees;
}

TEST(KnobStrip, PointerTurnsClockwiseFromLowerLeftOverTheTopToLowerRight) {
    for (const char* file : {"102-knob-a.png", "103-knob-b.png"}) {
        SCOPED_TRACE(file);
        const PngImage strip(committedImage(file));
        ASSERT_TRUE(strip.loaded());
        EXPECT_NEAR(pointerDirection(strip, 0), 135, 3);   // lower left: the dial's minimum
        EXPECT_NEAR(pointerDirection(strip, 65), 270, 3);  // straight up
        EXPECT_NEAR(pointerDirection(strip, 130), 45, 3);  // lower right: the maximum
        EXPECT_NEAR(pointerDirection(strip, 26), 189, 3);  // evenly over 270 degrees
    }
}

TEST(KnobStrip, DialLegendsAroundTheKnobStayVisible) {
    for (const char* file : {"102-knob-a.png", "103-knob-b.png"}) {
        SCOPED_TRACE(file);
        const PngImage strip(committedImage(file));
        ASSERT_TRUE(strip.loaded());
        for (int frame = 0; frame < 131; frame += 13)
            for (int y = 0; y < kKnobFrameHeight; ++y)
                for (int x = 0; x < strip.width(); ++x) {
                    if (std::hypot(x + 0.5 - kKnobCentreX, y + 0.5 - kKnobCentreY) <= 62) continue;
                    ASSERT_EQ(strip.at(x, frame * kKnobFrameHeight + y).a, 0) << x << "," << y << " frame " << frame;
                }
    }
}

double meanLuminance(const PngImage& strip, int frame, int frameHeight) {
    double sum = 0;
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < strip.width(); ++x) sum += strip.at(x, frame * frameHeight + y).luminance();
    return sum / (frameHeight * strip.width());
}

TEST(GrilleStrip, GlowGrowsFrameByFrame) {
    for (const char* file : {"104-grid-left.png", "105-grid-right.png"}) {
        SCOPED_TRACE(file);
        const PngImage strip(committedImage(file));
        ASSERT_TRUE(strip.loaded());
        double previous = meanLuminance(strip, 0, 93);
        for (int frame = 1; frame < 9; ++frame) {
            const double now = meanLuminance(strip, frame, 93);
            EXPECT_GT(now, previous + 0.5) << "frame " << frame;
            previous = now;
        }
    }
}

// How much darker a pixel of a meter frame is than on a face whose needle stands far away.
double darkening(const PngImage& strip, int frame, int x, int y) {
    return strip.at(x, farFrame(frame) * kMeterFrameHeight + y).luminance() -
           strip.at(x, frame * kMeterFrameHeight + y).luminance();
}

// Horizontal position of the needle across the middle of the face: the centroid of what
// is much darker than in a frame whose needle stands far away (its soft shadow is not).
double needleX(const PngImage& strip, int frame) {
    double sum = 0, weight = 0;
    for (int y = 58; y < 74; ++y)  // below the scale's ticks
        for (int x = 0; x < strip.width(); ++x) {
            const double darker = darkening(strip, frame, x, y);
            if (darker > 90) sum += darker * (x + 0.5), weight += darker;
        }
    EXPECT_GT(weight, 0) << "no needle in frame " << frame;
    return sum / weight;
}

TEST(MeterStrip, NeedleMovesLeftToRightAcrossTheFace) {
    for (const char* file : {"109-meter-left.png", "110-meter-right.png"}) {
        SCOPED_TRACE(file);
        const PngImage strip(committedImage(file));
        ASSERT_TRUE(strip.loaded());
        std::vector<double> x;
        for (int frame = 0; frame < 131; ++frame) x.push_back(needleX(strip, frame));
        EXPECT_LT(x.front(), 40);                 // full reduction: far left
        EXPECT_GT(x.back(), strip.width() - 40);  // no reduction: far right
        EXPECT_NEAR(x[65], strip.width() / 2.0, 1.0);
        for (int frame = 1; frame < 131; ++frame) EXPECT_GT(x[frame], x[frame - 1]) << "frame " << frame;
        // Linear in decibels on a circular scale: mirror frames lie mirrored about the middle.
        for (int frame = 0; frame < 65; frame += 13)
            EXPECT_NEAR(x[frame] + x[130 - frame], strip.width(), 1.0) << "frame " << frame;
    }
}

// The needle of one meter frame as a line: the principal axis of the pixels that are much
// darker than in a frame whose needle stands far away.
struct NeedleLine {
    double x, y;    // a point on it
    double dx, dy;  // unit direction
    std::vector<std::pair<double, double>> pixels;
};

NeedleLine needleLine(const PngImage& strip, int frame) {
    NeedleLine line{};
    for (int y = 0; y < kMeterFrameHeight; ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (darkening(strip, frame, x, y) > 90) line.pixels.push_back({x + 0.5, y + 0.5});
    double sxx = 0, syy = 0, sxy = 0;
    for (const auto& [x, y] : line.pixels) line.x += x, line.y += y;
    line.x /= line.pixels.size(), line.y /= line.pixels.size();
    for (const auto& [x, y] : line.pixels)
        sxx += (x - line.x) * (x - line.x), syy += (y - line.y) * (y - line.y), sxy += (x - line.x) * (y - line.y);
    const double angle = 0.5 * std::atan2(2 * sxy, sxx - syy);
    line.dx = std::cos(angle), line.dy = std::sin(angle);
    return line;
}

// Luminance between pixel centres, interpolated.
double luminanceAt(const PngImage& strip, int frame, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x - 0.5)), y0 = static_cast<int>(std::floor(y - 0.5));
    const double tx = x - 0.5 - x0, ty = y - 0.5 - y0;
    const auto at = [&](int px, int py) { return strip.at(px, frame * kMeterFrameHeight + py).luminance(); };
    return (1 - ty) * ((1 - tx) * at(x0, y0) + tx * at(x0 + 1, y0)) +
           ty * ((1 - tx) * at(x0, y0 + 1) + tx * at(x0 + 1, y0 + 1));
}

TEST(MeterStrip, NeedleStopsExactlyOnEachPrintedMark) {
    const PngImage strip(committedImage("109-meter-left.png"));
    ASSERT_TRUE(strip.loaded());
    // The pivot is where two well separated needle positions cross.
    const NeedleLine a = needleLine(strip, 13), b = needleLine(strip, 117);
    const double det = a.dx * b.dy - a.dy * b.dx;
    ASSERT_GT(std::abs(det), 0.3);
    const double t = ((b.x - a.x) * b.dy - (b.y - a.y) * b.dx) / det;
    const double pivotX = a.x + t * a.dx, pivotY = a.y + t * a.dy;
    EXPECT_GT(pivotY, 102) << "the pivot sits below the face";

    // Frames 26, 52, 78, 104 and 130 show 20, 15, 10, 5 and 0 dB of reduction.
    for (int frame = 26; frame <= 130; frame += 26) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        const NeedleLine needle = needleLine(strip, frame);
        const double needleAngle = std::atan2(needle.x - pivotX, pivotY - needle.y);
        double tip = 0;
        for (const auto& [x, y] : needle.pixels) tip = std::max(tip, std::hypot(x - pivotX, y - pivotY));
        // Where the needle runs over a printed tick it is no darker than the face without
        // it, so its visible part ends where the tick begins: find the tick just beyond, on a
        // face whose needle stands far away.
        const int reference = farFrame(frame);
        double bestAngle = 0, bestDarkness = -1;
        for (double delta = -3; delta <= 3; delta += 0.05) {
            const double angle = needleAngle + delta * kPi / 180;
            double darkness = 0;
            for (double r = tip + 1; r <= tip + 5; r += 0.5)
                darkness +=
                    255 - luminanceAt(strip, reference, pivotX + r * std::sin(angle), pivotY - r * std::cos(angle));
            if (darkness > bestDarkness) bestDarkness = darkness, bestAngle = angle;
        }
        EXPECT_NEAR(needleAngle * 180 / kPi, bestAngle * 180 / kPi, 0.4);
    }
}

// Share of pixels that differ between two frames of a strip.
double differingShare(const PngImage& strip, int frameHeight, int a, int b) {
    int differing = 0;
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const Rgba p = strip.at(x, a * frameHeight + y), q = strip.at(x, b * frameHeight + y);
            if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24) ++differing;
        }
    return static_cast<double>(differing) / (frameHeight * strip.width());
}

TEST(SwitchStrip, EveryStateLooksDifferent) {
    const PngImage power(committedImage("106-power.png")), autoGain(committedImage("107-autogain.png")),
        sidechain(committedImage("108-sidechain.png"));
    ASSERT_TRUE(power.loaded() && autoGain.loaded() && sidechain.loaded());
    EXPECT_GT(differingShare(power, 103, 0, 1), 0.02);
    EXPECT_GT(differingShare(autoGain, 105, 0, 1), 0.02);
    EXPECT_GT(differingShare(sidechain, 127, 0, 1), 0.01);
    EXPECT_GT(differingShare(sidechain, 127, 1, 2), 0.01);
    EXPECT_GT(differingShare(sidechain, 127, 0, 2), 0.01);
}

struct Placed {
    const char* file;
    int left, top, frames;
};

// An opaque control covers its rectangle: a frame whose border differed from the background
// would show a seam in the window.
TEST(OpaqueStrips, EveryFrameMeetsTheBackgroundWithoutASeam) {
    const PngImage background(committedImage("101-background.png"));
    ASSERT_TRUE(background.loaded());
    for (const Placed& c : {Placed{"104-grid-left.png", 114, 299, 9}, Placed{"105-grid-right.png", 626, 295, 9},
                            Placed{"106-power.png", 422, 478, 2}, Placed{"107-autogain.png", 467, 355, 2},
                            Placed{"108-sidechain.png", 782, 440, 3}}) {
        SCOPED_TRACE(c.file);
        const PngImage strip(committedImage(c.file));
        ASSERT_TRUE(strip.loaded());
        const int w = strip.width(), h = strip.height() / c.frames;
        for (int f = 0; f < c.frames; ++f)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (x > 0 && y > 0 && x < w - 1 && y < h - 1) continue;
                    const Rgba p = strip.at(x, f * h + y), q = background.at(c.left + x, c.top + y);
                    ASSERT_LE(std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b), 6)
                        << x << "," << y << " frame " << f;
                }
    }
}

}  // namespace
