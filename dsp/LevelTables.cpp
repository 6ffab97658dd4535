#include "dsp/LevelTables.h"

#include <cmath>

namespace dsp {
namespace {

LevelTables makeLevelTables() {
    LevelTables tables{};
    const double upperLevel = std::pow(10.0, 1.2);
    const double lowerLevel = 0.0001;
    const double delta = (upperLevel - lowerLevel) / LevelTables::kLastIndex;
    const double dbStep = 104.0 / LevelTables::kLastIndex;
    for (int i = 0; i <= LevelTables::kLastIndex; ++i) {
        tables.levelToDbTable[i] = static_cast<float>(20.0 * std::log10(lowerLevel + i * delta));
        tables.dbToLevelTable[i] = static_cast<float>(std::pow(10.0, (-80.0 + i * dbStep) / 20.0));
    }
    constexpr int kGuard = LevelTables::kEntries - 1;
    tables.levelToDbTable[kGuard] = tables.levelToDbTable[LevelTables::kLastIndex];
    tables.dbToLevelTable[kGuard] = tables.dbToLevelTable[LevelTables::kLastIndex];
    tables.upperLevel = static_cast<float>(upperLevel);
    tables.lowerLevel = static_cast<float>(lowerLevel);
    tables.levelIndexScale = static_cast<float>(1.0 / delta);
    tables.dbIndexScale = static_cast<float>(LevelTables::kLastIndex / 104.0);
    return tables;
}

}  // namespace

const LevelTables levelTables = makeLevelTables();

}  // namespace dsp
