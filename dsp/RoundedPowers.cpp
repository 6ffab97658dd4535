#include "dsp/RoundedPowers.h"

namespace dsp {
namespace {

struct DoubleDouble {
    double hi;
    double lo;  // |lo| <= half an ulp of hi
};

// Dekker's exact product a * b = product + error (no fused multiply-add needed).
void twoProduct(double a, double b, double& product, double& error) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    product = a * b;
    const double aScaled = kSplitter * a;
    const double aHigh = aScaled - (aScaled - a);
    const double aLow = a - aHigh;
    const double bScaled = kSplitter * b;
    const double bHigh = bScaled - (bScaled - b);
    const double bLow = b - bHigh;
    error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

DoubleDouble times(DoubleDouble value, double factor) {
    double product, error;
    twoProduct(value.hi, factor, product, error);
    error += value.lo * factor;
    const double hi = product + error;
    return {hi, error - (hi - product)};
}

// Round hi + lo to single precision. Rounding hi alone is right unless hi lies exactly
// halfway between two floats; then lo tells the side.
float roundToFloat(DoubleDouble value) {
    const float nearest = static_cast<float>(value.hi);
    if (value.lo == 0.0) return nearest;
    const double other = 2.0 * value.hi - static_cast<double>(nearest);
    if (static_cast<double>(nearest) == value.hi ||
        static_cast<double>(static_cast<float>(other)) != other)
        return nearest;
    const float neighbour = static_cast<float>(other);
    const bool upwards = value.lo > 0.0;
    return (neighbour > nearest) == upwards ? neighbour : nearest;
}

}  // namespace

void roundedPowers(float x, float (&powers)[kPolynomialDegree + 1]) {
    DoubleDouble power{1.0, 0.0};
    powers[0] = 1.0f;
    for (int p = 1; p <= kPolynomialDegree; ++p) {
        power = times(power, static_cast<double>(x));
        powers[p] = roundToFloat(power);
    }
}

}  // namespace dsp
