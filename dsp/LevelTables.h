// Level <-> decibel conversion through interpolated tables, so that no logarithm or
// exponential runs per sample. Built from their rules when the library loads.
#pragma once

namespace dsp {

struct LevelTables {
    static constexpr int kEntries = 10001;  // 10,000 points and a guard repeating the last
    static constexpr int kLastIndex = kEntries - 2;

    float levelToDbTable[kEntries];  // 20 log10(0.0001 + i * delta)
    float dbToLevelTable[kEntries];  // 10^((-80 + i * 104 / 9999) / 20)
    float upperLevel;                // 10^1.2, +24 dB
    float lowerLevel;                // 10^-4, -80 dB
    float levelIndexScale;           // 1 / delta
    float dbIndexScale;              // 9999 / 104

    // For lowerLevel <= level < upperLevel.
    float levelToDb(float level) const {
        return interpolate(levelToDbTable, (level - lowerLevel) * levelIndexScale);
    }
    // For -80 <= db < 24.
    float dbToLevel(float db) const {
        return interpolate(dbToLevelTable, (db + 80.0f) * dbIndexScale);
    }

private:
    // A position outside the table (only a non-finite or out-of-range argument gives
    // one) reads its nearest edge instead of memory beyond it. Inside, and up to the
    // guard, the result is the plain interpolation.
    static float interpolate(const float* table, float position) {
        position = position > 0.0f ? position : 0.0f;
        position = position < static_cast<float>(kLastIndex) ? position
                                                             : static_cast<float>(kLastIndex);
        const int i = static_cast<int>(position);
        return table[i] + (table[i + 1] - table[i]) * (position - static_cast<float>(i));
    }
};

extern const LevelTables levelTables;

}  // namespace dsp
