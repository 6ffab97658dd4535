// Line charts as PNG files, drawn with cairo: a figure of one or more panels side by side
// under a title, each with its axes (linear or logarithmic), grid, units and legend.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace measure {

enum class LineStyle { solid, dashed, dotted };

struct Series {
    std::string name;
    std::vector<std::pair<double, double>> points;  // non-finite values break the line
    int colour = 0;                                 // index into the palette
    LineStyle style = LineStyle::solid;
};

struct Axis {
    std::string label;  // with its unit
    bool logarithmic = false;
    std::optional<double> minimum = {}, maximum = {};  // otherwise from the data
};
inline Axis linearAxis(std::string label, std::optional<double> minimum = {}, std::optional<double> maximum = {}) {
    return {std::move(label), false, minimum, maximum};
}
inline Axis logarithmicAxis(std::string label, std::optional<double> minimum = {}, std::optional<double> maximum = {}) {
    return {std::move(label), true, minimum, maximum};
}

struct Panel {
    Panel(Axis x, Axis y, std::string title = {}) : x(std::move(x)), y(std::move(y)), title(std::move(title)) {}

    Axis x, y;
    std::string title;  // above the panel, where a figure has several
    std::vector<Series> series;
    std::optional<double> diagonalFrom;  // a grey 1:1 line, for curves of output against input
};

struct Figure {
    std::string title, subtitle;
    std::vector<Panel> panels;
};

// Writes the figure as a PNG of `width` x `height`; throws ToolError when that fails.
void writeFigure(const Figure& figure, const std::string& path, int width = 1400, int height = 820);

}  // namespace measure
