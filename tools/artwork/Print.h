// The faceplate's printing: one ink and the type styles all legends share.
#pragma once

#include "tools/artwork/Text.h"

namespace artwork::print {

constexpr Colour kInk = rgb8(236, 232, 218);  // warm white silkscreen
constexpr double kInkAlpha = 0.94;

inline TextStyle scaleMarks() { return {Face::CondensedBold, 10, kInk, kInkAlpha, 0}; }
inline TextStyle caption() { return {Face::SansBold, 11, kInk, kInkAlpha, 2}; }
inline TextStyle unit() { return {Face::Sans, 9, kInk, 0.8, 1}; }
inline TextStyle small() { return {Face::SansBold, 8, kInk, 0.85, 2}; }

void setInk(cairo_t* cr, double alpha = kInkAlpha);

}  // namespace artwork::print
