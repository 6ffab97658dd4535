// The forty built tube tables as a raw file: 40 x 44,101 little-endian float32, family A
// slices 0 to 9, then B, C and D, each slice with its guard entry.
#pragma once

#include <string>

namespace dsp {
class TubeTables;
}

namespace tubetables {

// False if the file cannot be written completely.
bool dumpTables(const dsp::TubeTables& tables, const std::string& path);

}  // namespace tubetables
