#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/Compressor.h"
#include "dsp/LevelTables.h"

namespace {

using dsp::levelTables;

// A few units in the last place of single precision around an expected figure.
void expectNearUlps(float actual, double expected, int ulps = 4) {
    const double ulp = std::nextafter(static_cast<float>(expected), INFINITY) -
                       static_cast<float>(expected);
    EXPECT_NEAR(actual, expected, ulps * ulp) << "expected " << expected;
}

TEST(LevelTables, TellingEntries) {
    const struct {
        int index;
        double levelDb;
        double level;
    } kTelling[] = {
        {0, -80.0, 0.0001},
        {1, -55.467789, 0.00010011980},
        {5000, 17.980324, 0.039834559},
        {9999, 24.0, 15.848932},
    };
    for (const auto& entry : kTelling) {
        SCOPED_TRACE(entry.index);
        expectNearUlps(levelTables.levelToDbTable[entry.index], entry.levelDb);
        expectNearUlps(levelTables.dbToLevelTable[entry.index], entry.level);
    }
    expectNearUlps(levelTables.levelToDbTable[2], -49.708824);
    EXPECT_EQ(levelTables.levelToDbTable[10000], levelTables.levelToDbTable[9999]);
    EXPECT_EQ(levelTables.dbToLevelTable[10000], levelTables.dbToLevelTable[9999]);
}

TEST(LevelTables, Bounds) {
    expectNearUlps(levelTables.upperLevel, 15.848932, 1);
    EXPECT_EQ(levelTables.lowerLevel, 0.0001f);
    expectNearUlps(levelTables.levelIndexScale, 9999.0 / (std::pow(10.0, 1.2) - 0.0001), 1);
    expectNearUlps(levelTables.dbIndexScale, 9999.0 / 104.0, 1);
}

TEST(LevelTables, LookupsAtTheEdges) {
    EXPECT_EQ(levelTables.levelToDb(levelTables.lowerLevel), -80.0f);
    EXPECT_EQ(levelTables.dbToLevel(-80.0f), levelTables.dbToLevelTable[0]);
    // Just below the top the read uses entries 9998/9999 or 9999 and the guard.
    const float belowTop = std::nextafter(levelTables.upperLevel, 0.0f);
    EXPECT_NEAR(levelTables.levelToDb(belowTop), 24.0f, 1e-3f);
    EXPECT_NEAR(levelTables.dbToLevel(std::nextafter(24.0f, 0.0f)), 15.848932f, 1e-4f);
    // Interpolation between points: half way between entries 1 and 2.
    const float between = (levelTables.dbToLevelTable[1] + levelTables.dbToLevelTable[2]) * 0.5f;
    EXPECT_NEAR(levelTables.dbToLevel(-80.0f + 1.5f * 104.0f / 9999.0f), between, 1e-10f);
}

// The level table is linear in level, so it resolves dB finely only from the detector's
// floor (-30 dB) up.
TEST(LevelTables, RoundTripsWithinTheTablesResolution) {
    for (float db = -30.0f; db < 23.0f; db += 0.37f)
        EXPECT_NEAR(levelTables.levelToDb(levelTables.dbToLevel(db)), db, 0.01f) << db;
}

TEST(EnvelopeLevel, RangesBelowInsideAndAboveTheTable) {
    EXPECT_EQ(dsp::envelopeLevelDb(0.0f), -80.0f);
    EXPECT_EQ(dsp::envelopeLevelDb(0.00005f), -80.0f);
    EXPECT_NEAR(dsp::envelopeLevelDb(1.0f), 0.0f, 1e-3f);
    EXPECT_NEAR(dsp::envelopeLevelDb(0.031247882f), -30.1f, 0.01f);
    // Exactly the top: not looked up, 24 dB.
    EXPECT_EQ(dsp::envelopeLevelDb(levelTables.upperLevel), 24.0f);
    // Above it each quartering counts as 12 dB.
    EXPECT_NEAR(dsp::envelopeLevelDb(20.0f), dsp::envelopeLevelDb(5.0f) + 12.0f, 1e-4f);
    EXPECT_NEAR(dsp::envelopeLevelDb(1000.0f), dsp::envelopeLevelDb(1000.0f / 64.0f) + 36.0f,
                1e-4f);
}

TEST(EnvelopeLevel, NonFiniteAndHugeEnvelopesStayBounded) {
    const float largest = std::numeric_limits<float>::max();
    EXPECT_TRUE(std::isfinite(dsp::envelopeLevelDb(largest)));
    EXPECT_GT(dsp::envelopeLevelDb(largest), 700.0f);
    EXPECT_TRUE(std::isfinite(dsp::envelopeLevelDb(INFINITY)));
    EXPECT_EQ(dsp::envelopeLevelDb(NAN), 24.0f);
    EXPECT_TRUE(std::isfinite(dsp::envelopeLevelDb(1e30f)));
}

TEST(LevelTables, NonFiniteArgumentsReadInsideTheTables) {
    // Callers keep arguments in range; should one slip through, the read stays in bounds.
    EXPECT_EQ(levelTables.dbToLevel(1e30f), levelTables.dbToLevelTable[9999]);
    EXPECT_EQ(levelTables.dbToLevel(-INFINITY), levelTables.dbToLevelTable[0]);
    EXPECT_TRUE(std::isnan(levelTables.dbToLevel(NAN)) ||
                levelTables.dbToLevel(NAN) == levelTables.dbToLevelTable[0]);
    EXPECT_EQ(levelTables.levelToDb(INFINITY), 24.0f);
}

}  // namespace
