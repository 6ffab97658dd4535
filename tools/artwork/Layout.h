// Where everything sits in the 1000 x 700 window, in window pixels. The editor places its
// controls on exactly these rectangles, so the printed scales and housings must match them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/artwork/Shapes.h"
#include "tools/artwork/Surface.h"

namespace artwork::layout {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 700;
constexpr Box kPanel{15, 60, 985, 638};  // the blue faceplate on the black surround

// Film-strip controls and their frame counts.
constexpr int kKnobFrames = 131;
constexpr int kKnobWidth = 160, kKnobHeight = 156;
constexpr double kKnobCentreX = 80, kKnobCentreY = 78;  // within a knob frame
constexpr int kGrilleFrames = 9;
constexpr int kMeterFrames = 131;
constexpr int kSidechainPositions = 3;

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
    {{75, 134, 235, 290}, "GAIN", "dB", {"0", "10", "20", "30", "40", "+50"}},
    {{766, 129, 926, 285}, "VOL", "dB", {kMinus + "50", "40", "30", "20", "10", "0"}},
    {{75, 424, 235, 580}, "ATK", "ms", {"0.1", "10", "20", "30", "40", "50"}},
    {{245, 424, 405, 580}, "RLS", "ms", {"1", "5", "10", "50", "100", "200"}},
    {{608, 417, 768, 573}, "RATIO", "", {"1", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20"}},
}};

// A knob's pointer angle in radians, clockwise from the +x axis with y pointing down: value 0
// lower left, 0.5 straight up, 1 lower right.
inline double knobAngle(double value) { return kPi * (135.0 + 270.0 * value) / 180.0; }

constexpr Box kLeftGrille{114, 299, 382, 392};
constexpr Box kRightGrille{626, 295, 894, 388};
constexpr Box kLeftMeter{305, 137, 462, 239};
constexpr Box kRightMeter{538, 138, 695, 240};
constexpr Box kAutoGainPlate{467, 355, 526, 460};
constexpr Box kPowerPlate{422, 478, 566, 581};
constexpr Box kSidechainPlate{782, 440, 902, 567};

// Drawn by the editor at run time over the top and bottom bands: the artwork leaves these
// places clean and gives the text a fitting ground.
constexpr Box kTitle{96, 0, 323, 36};
constexpr Box kVendorTop{7, 1, 100, 21}, kVendorBottom{7, 17, 100, 37};
constexpr std::array<Box, 4> kPresetButtons{
    {{365, 10, 415, 30}, {420, 10, 470, 30}, {480, 10, 530, 30}, {535, 10, 585, 30}}};
constexpr Box kDryWetKnob{854, 7, 878, 31};
constexpr Box kDryWetCaption{890, 9, 990, 29};
constexpr Box kReadout{10, 671, 250, 691};

}  // namespace artwork::layout
