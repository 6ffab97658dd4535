// What the artwork needs of the editor's layout, in whole window pixels: the editor places
// its controls on exactly these rectangles (editor/EditorLayout.h), so the printed scales
// and housings sit where the controls do. Captions, marks and the panel are the artwork's.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/EditorLayout.h"
#include "tools/artwork/Shapes.h"
#include "tools/artwork/Surface.h"

namespace artwork::layout {

namespace editor = ::layout;

constexpr Box box(const editor::Rect& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

constexpr int kWindowWidth = editor::kBackground.width;
constexpr int kWindowHeight = editor::kBackground.height;
constexpr Box kPanel{15, 60, 985, 638};  // the blue faceplate on the black surround

// Film-strip controls and their frame counts.
constexpr int kKnobFrames = editor::kKnobA.frames;
constexpr int kKnobWidth = editor::kKnobA.width;
constexpr int kKnobHeight = static_cast<int>(editor::kKnobA.frameHeight());
constexpr double kKnobCentreX = kKnobWidth / 2.0, kKnobCentreY = kKnobHeight / 2.0;  // within a knob frame
constexpr int kGrilleFrames = editor::kLeftGridStrip.frames;
constexpr int kMeterFrames = editor::kLeftMeterStrip.frames;
constexpr int kSidechainPositions = editor::kSidechainStrip.frames;

struct KnobPlace {
    Box rect;
    std::string caption, unit;
    std::vector<std::string> marks;  // clockwise from the minimum, evenly over the sweep
    double centreX() const { return rect.left + kKnobCentreX; }
    double centreY() const { return rect.top + kKnobCentreY; }
};

// U+2212, the typographic minus sign.
inline const std::string kMinus = "\xe2\x88\x92";

inline const std::array<KnobPlace, 5> kKnobs{{
    {box(editor::kInputGainKnob.rect()), "GAIN", "dB", {"0", "10", "20", "30", "40", "+50"}},
    {box(editor::kOutputVolumeKnob.rect()), "VOL", "dB", {kMinus + "50", "40", "30", "20", "10", "0"}},
    {box(editor::kAttackKnob.rect()), "ATK", "ms", {"0.1", "10", "20", "30", "40", "50"}},
    {box(editor::kReleaseKnob.rect()), "RLS", "ms", {"1", "5", "10", "50", "100", "200"}},
    {box(editor::kRatioKnob.rect()), "RATIO", "", {"1", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20"}},
}};

// A knob's pointer angle in radians, clockwise from the +x axis with y pointing down: value 0
// lower left, 0.5 straight up, 1 lower right.
inline double knobAngle(double value) { return kPi * (135.0 + 270.0 * value) / 180.0; }

constexpr Box kLeftGrille = box(editor::kLeftGridControl.rect());
constexpr Box kRightGrille = box(editor::kRightGridControl.rect());
constexpr Box kLeftMeter = box(editor::kLeftMeter.rect());
constexpr Box kRightMeter = box(editor::kRightMeter.rect());
constexpr Box kAutoGainPlate = box(editor::kAutoGainSwitch.rect());
constexpr Box kPowerPlate = box(editor::kPowerSwitch.rect());
constexpr Box kSidechainPlate = box(editor::kSidechainSwitch.rect());

// Drawn by the editor at run time over the top and bottom bands: the artwork leaves these
// places clean and gives the text a fitting ground.
constexpr Box kTitle = box(editor::kTitle);
constexpr Box kVendorTop = box(editor::kVendorTop), kVendorBottom = box(editor::kVendorBottom);
constexpr std::array<Box, 4> kPresetButtons{
    {box(editor::kPresetButtons[0].rect), box(editor::kPresetButtons[1].rect),
     box(editor::kPresetButtons[2].rect), box(editor::kPresetButtons[3].rect)}};
constexpr Box kDryWetKnob = box(editor::kDryWetKnob);
constexpr Box kDryWetCaption = box(editor::kDryWetCaption);
constexpr Box kReadout = box(editor::kReadout);

}  // namespace artwork::layout
