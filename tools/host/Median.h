// The median of timing samples, which shrugs off the passes another process disturbed.
#pragma once

#include <algorithm>
#include <vector>

namespace vsthost {

inline double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

}  // namespace vsthost
