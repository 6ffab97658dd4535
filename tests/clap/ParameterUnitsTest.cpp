// The parameters' real values: a round trip through them gives back the very float, for
// every law; the time laws against the signal path's own coefficients; texts in the C
// locale's whatever the host set.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>

#include "dsp/Coefficients.h"
#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"

namespace {

TEST(ParameterUnits, RealValuesGiveBackTheSameNormalisedFloat) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    for (int32_t index = 0; index < parameter::kActiveCount; ++index) {
        SCOPED_TRACE(parameter::name(index));
        if (parameter::realRange(index).stepped) continue;
        for (int i = 0; i < 20000; ++i) {
            const float v = i < 1001 ? static_cast<float>(i) / 1000.0f : anyValue(random);
            ASSERT_EQ(parameter::fromReal(index, parameter::toReal(index, v)), v) << v;
        }
        EXPECT_EQ(parameter::fromReal(index, parameter::realRange(index).defaultValue), parameter::defaultValue(index));
    }
}

// Formats with single-precision real values (LV2): the defaults and round values written
// come back as themselves and are written short; any real value comes back as itself.
TEST(ParameterUnits, SinglePrecisionRealValuesComeBackExactly) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    for (int32_t index = 0; index < parameter::kActiveCount; ++index) {
        SCOPED_TRACE(parameter::name(index));
        const bool stepped = parameter::realRange(index).stepped;
        for (int thousandths = 0; thousandths <= 1000 && !stepped; ++thousandths) {
            const float round = static_cast<float>(thousandths) / 1000.0f;
            ASSERT_EQ(parameter::fromRealFloat(index, parameter::toRealFloat(index, round)), round) << round;
            ASSERT_EQ(parameter::fromRealFloat(index, static_cast<float>(parameter::toReal(index, round))), round);
        }
        const float written = parameter::toRealFloat(index, parameter::defaultValue(index));
        EXPECT_EQ(parameter::fromRealFloat(index, written), parameter::defaultValue(index));
        EXPECT_NEAR(written, parameter::toReal(index, parameter::defaultValue(index)), 1e-5);
        for (int i = 0; i < 5000; ++i) {
            const float shown = static_cast<float>(parameter::toReal(index, anyValue(random)));
            ASSERT_EQ(static_cast<float>(parameter::toReal(index, parameter::fromRealFloat(index, shown))), shown);
        }
    }
    EXPECT_EQ(parameter::toRealFloat(parameter::kLeftGrid, 0.3f), 30.0f) << "rather than 30.000002";
    EXPECT_EQ(parameter::toRealFloat(parameter::kVolume, 0.88f), -6.0f);
}

TEST(ParameterUnits, SwitchesShowThePositionTheSoundHears) {
    EXPECT_EQ(parameter::toReal(parameter::kPower, 0.5f), 0.0) << "off at one half exactly";
    EXPECT_EQ(parameter::toReal(parameter::kPower, 0.51f), 1.0);
    EXPECT_EQ(parameter::toReal(parameter::kSidechain, 0.25f), 0.0);
    EXPECT_EQ(parameter::toReal(parameter::kSidechain, 0.26f), 1.0);
    EXPECT_EQ(parameter::toReal(parameter::kSidechain, 0.76f), 2.0);
    for (const double position : {0.0, 1.0, 2.0})
        EXPECT_EQ(parameter::toReal(parameter::kSidechain, parameter::fromReal(parameter::kSidechain, position)), position);
}

// The attack's milliseconds are the time constant of the coefficient the signal path uses
// at 48 kHz (where the rate ratio is 1), to within the coefficient's single precision.
TEST(ParameterUnits, AttackMillisecondsAreTheCoefficientsTimeConstant) {
    for (const float v : {0.0f, 0.2f, 0.5f, 1.0f}) {
        dsp::ParameterSnapshot snapshot{};
        for (int i = 0; i < dsp::ParameterSnapshot::kCount; ++i) snapshot.values[i] = parameter::defaultValue(i);
        snapshot.values[parameter::kAttack] = v;
        const float coefficient = dsp::BlockCoefficients::derive(snapshot, 1.0f).attackCoef;
        const double ms = -1000.0 / (48000.0 * std::log(static_cast<double>(coefficient)));
        EXPECT_NEAR(parameter::toReal(parameter::kAttack, v), ms, ms * 1e-4) << v;
    }
}

TEST(ParameterUnits, TextsIgnoreTheHostsLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale";
    EXPECT_EQ(parameter::realText(parameter::kVolume, -6.5), "-6.50 dB");
    EXPECT_EQ(parameter::parseRealText(parameter::kVolume, "-6.5 dB"), -6.5);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
