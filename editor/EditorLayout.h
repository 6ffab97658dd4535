// Where everything sits in the editor's 1000 x 700 window, and the images it is drawn from:
// the one table the editor places its views by, the artwork generator paints the images
// and the faceplate's printing by, and the tests check both against.
#pragma once

#include <array>
#include <cstdint>

#include "effect/Parameters.h"

namespace layout {

struct Rect {
    double left, top, right, bottom;
    constexpr double width() const { return right - left; }
    constexpr double height() const { return bottom - top; }
};

// A PNG image embedded in the plug-in under its resource number; a strip holds its frames
// stacked vertically, each as wide as the image.
struct Image {
    int32_t resource;
    int32_t width, height;
    int32_t frames;
    constexpr double frameHeight() const { return static_cast<double>(height) / frames; }
};

inline constexpr Image kBackground{101, 1000, 700, 1};
inline constexpr Image kKnobA{102, 160, 20436, 131};
inline constexpr Image kKnobB{103, 160, 20436, 131};
inline constexpr Image kLeftGridStrip{104, 268, 837, 9};
inline constexpr Image kRightGridStrip{105, 268, 837, 9};
inline constexpr Image kPowerStrip{106, 144, 206, 2};  // off above on
inline constexpr Image kAutoGainStrip{107, 59, 210, 2};
inline constexpr Image kSidechainStrip{108, 120, 381, 3};
inline constexpr Image kLeftMeterStrip{109, 157, 13362, 131};
inline constexpr Image kRightMeterStrip{110, 157, 13362, 131};
inline constexpr std::array<Image, 10> kImages{kBackground,     kKnobA,          kKnobB,
                                               kLeftGridStrip,  kRightGridStrip, kPowerStrip,
                                               kAutoGainStrip,  kSidechainStrip, kLeftMeterStrip,
                                               kRightMeterStrip};

// The window is the background's size.
inline constexpr double kWidth = kBackground.width;
inline constexpr double kHeight = kBackground.height;

// Control tags: a parameter control's tag is its parameter's index; these mark the rest.
enum Tag : int32_t {
    kMeterTag = 11,
    kCornerTopLeftTag = 16,
    kCornerBottomRightTag,
    kCornerBottomLeftTag,
    kCornerTopRightTag,
    kLoadTag = 20,
    kSaveTag,
    kCopyTag,
    kPasteTag,
};

// A control drawn from an image strip: placed by its top left corner, one frame tall.
struct StripControl {
    int32_t tag;
    double left, top;
    Image image;
    constexpr Rect rect() const {
        return {left, top, left + image.width, top + image.frameHeight()};
    }
};

inline constexpr StripControl kInputGainKnob{parameter::kGain, 75, 134, kKnobA};
inline constexpr StripControl kOutputVolumeKnob{parameter::kVolume, 766, 129, kKnobB};
inline constexpr StripControl kAttackKnob{parameter::kAttack, 75, 424, kKnobA};
inline constexpr StripControl kReleaseKnob{parameter::kRelease, 245, 424, kKnobA};
inline constexpr StripControl kRatioKnob{parameter::kRatio, 608, 417, kKnobB};
inline constexpr StripControl kLeftGridControl{parameter::kLeftGrid, 114, 299, kLeftGridStrip};
inline constexpr StripControl kRightGridControl{parameter::kRightGrid, 626, 295, kRightGridStrip};
inline constexpr StripControl kLeftMeter{kMeterTag, 305, 137, kLeftMeterStrip};
inline constexpr StripControl kRightMeter{kMeterTag, 538, 138, kRightMeterStrip};
inline constexpr StripControl kAutoGainSwitch{parameter::kAutogain, 467, 355, kAutoGainStrip};
inline constexpr StripControl kPowerSwitch{parameter::kPower, 422, 478, kPowerStrip};
inline constexpr StripControl kSidechainSwitch{parameter::kSidechain, 782, 440, kSidechainStrip};
// The big knobs, in the order their dial scales are printed.
inline constexpr std::array<StripControl, 5> kBigKnobs{kInputGainKnob, kOutputVolumeKnob,
                                                       kAttackKnob, kReleaseKnob, kRatioKnob};

// The translucent corner shapes: a figure (the shape kinds of VireRude_StaticVectorImage,
// named by the corner each one suits) and where its curve meets the straight edge, as a
// fraction of the width.
enum CornerFigure : int32_t {
    kTopLeftFigure = 0,  // also what any unknown kind draws
    kTopRightFigure = 1,
    kBandFigure = 2,
    kBottomLeftFigure = 3,
    kBottomRightFigure = 4,
};
struct Corner {
    int32_t tag;
    Rect rect;
    CornerFigure figure;
    float fraction;
};
inline constexpr std::array<Corner, 4> kCorners{{
    {kCornerTopLeftTag, {0, 0, 380, 38}, kTopLeftFigure, 0.25f},
    {kCornerBottomRightTag, {kWidth - 400, kHeight - 38, kWidth, kHeight}, kBottomRightFigure, 0.18f},
    {kCornerBottomLeftTag, {0, kHeight - 38, 290, kHeight}, kBottomLeftFigure, 0.25f},
    {kCornerTopRightTag, {kWidth - 400, 0, kWidth, 38}, kTopRightFigure, 0.15f},
}};

// Texts drawn by the editor over the top and bottom bands, which the artwork leaves clean.
inline constexpr Rect kTitle{96, 0, 323, 36};
inline constexpr Rect kVendorTop{7, 1, 100, 21};
inline constexpr Rect kVendorBottom{7, 17, 100, 37};
// 34 pixels above the bottom edge, a line 20 pixels tall inset by 5.
inline constexpr Rect kReadout{10, kHeight - 34 + 5, 250, kHeight - 34 + 25};
inline constexpr Rect kDryWetCaption{kWidth - 110, 9, kWidth - 10, 29};
inline constexpr Rect kDryWetKnob{kWidth - 146, 7, kWidth - 122, 31};

struct PresetButton {
    int32_t tag;
    Rect rect;
    const char* title;
};
inline constexpr std::array<PresetButton, 4> kPresetButtons{{
    {kLoadTag, {365, 10, 415, 30}, "LOAD"},
    {kSaveTag, {420, 10, 470, 30}, "SAVE"},
    {kCopyTag, {480, 10, 530, 30}, "COPY"},
    {kPasteTag, {535, 10, 585, 30}, "PASTE"},
}};

}  // namespace layout
