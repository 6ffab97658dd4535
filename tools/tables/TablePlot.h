// A picture of the forty tube tables: one panel per family, current against the grid
// coordinate, the ten plate-coordinate slices in graded colours, the published figures
// marked with circles.
#pragma once

#include <string>

namespace dsp {
class TubeTables;
}

namespace tubetables {

inline constexpr int kPlotWidth = 1600;
inline constexpr int kPlotHeight = 1200;

// Writes a PNG of kPlotWidth x kPlotHeight pixels; false if that fails.
bool plotTables(const dsp::TubeTables& tables, const std::string& path);

}  // namespace tubetables
