#include "effect/ParameterUnits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstring>

#include "effect/Parameters.h"
#include "host/HostText.h"

namespace parameter {
namespace {

// The attack coefficient per 48 kHz sample is exp(L) with L running from ln 0.95 to
// ln 0.9995 with the fourth root of the value; its time constant is -1 / L samples.
const double kLn095 = std::log(0.95);
const double kLn09995 = std::log(0.9995);

double attackMs(double v) {
    const double L = kLn095 + (kLn09995 - kLn095) * std::sqrt(std::sqrt(v));
    return -1.0 / (48.0 * L);
}

double attackValueFor(double ms) {
    const double L = -1.0 / (48.0 * ms);
    const double s = (L - kLn095) / (kLn09995 - kLn095);
    return s * s * s * s;
}

// The release coefficient per 48 kHz sample, as the signal path derives it (in double
// precision here): its time constant in ms.
double releaseMs(double v) {
    const double u = 1.0 - v;
    const double y = u * (7.3841 + u * (-26.2 + u * (47.23 + u * (-40.9175 + u * 13.495))));
    return -1.0 / (48.0 * std::log(0.999948 + 0.00004 * (1.0 - y)));
}

constexpr const char* kSidechainTexts[] = {"Off", "100 Hz", "200 Hz"};

Law lawOf(int32_t index) { return isActive(index) ? kTable[index].law : Law::percent; }

std::string fixed(double value, int decimals) {
    char text[32];
    if (!writeFixedNumber(text, sizeof text, value, decimals)) return "?";
    return text;
}

bool equalsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

// A number at the start of `text` (after spaces), followed by nothing, or by spaces and
// `unit` (any case) and spaces.
std::optional<double> leadingNumber(const char* text, const char* unit) {
    while (*text == ' ') ++text;
    const char* end = text + std::strlen(text);
    // from_chars takes no plus sign.
    const char* first = *text == '+' ? text + 1 : text;
    double value = 0.0;
    const auto [rest, error] = std::from_chars(first, end, value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    const char* tail = rest;
    while (*tail == ' ') ++tail;
    if (*tail == '\0') return value;
    if (!*unit) return std::nullopt;
    std::string trimmed(tail);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    if (!equalsIgnoringCase(trimmed.c_str(), unit)) return std::nullopt;
    return value;
}

// The normalised value of a real one, in double precision.
double normalisedFor(int32_t index, double real) {
    const RealRange range = realRange(index);
    // NaN goes to the minimum.
    const double r = real >= range.minimum ? std::min(real, range.maximum) : range.minimum;
    switch (lawOf(index)) {
        case Law::inputGainDb:
            return r / 50.0;
        case Law::outputVolumeDb:
            return (r + 50.0) / 50.0;
        case Law::attackMs:
            return std::clamp(attackValueFor(r), 0.0, 1.0);
        case Law::releaseTime:
        case Law::times100:
        case Law::percent:
            return r / 100.0;
        case Law::onOff:
            return r >= 0.5 ? 1.0 : 0.0;
        case Law::sidechainMode:
            return std::round(r) * 0.5;
    }
    return r;
}

}  // namespace

RealRange realRange(int32_t index) {
    const double v = defaultValue(index);
    switch (lawOf(index)) {
        case Law::inputGainDb:
            return {0.0, 50.0, toReal(index, defaultValue(index)), false};
        case Law::outputVolumeDb:
            return {-50.0, 0.0, toReal(index, defaultValue(index)), false};
        case Law::attackMs:
            return {attackMs(0.0), attackMs(1.0), attackMs(v), false};
        case Law::releaseTime:
        case Law::times100:
        case Law::percent:
            return {0.0, 100.0, 100.0 * v, false};
        case Law::onOff:
            return {0.0, 1.0, toReal(index, defaultValue(index)), true};
        case Law::sidechainMode:
            return {0.0, 2.0, toReal(index, defaultValue(index)), true};
    }
    return {0.0, 1.0, v, false};
}

const char* unitOf(int32_t index) {
    switch (lawOf(index)) {
        case Law::inputGainDb:
        case Law::outputVolumeDb:
            return "dB";
        case Law::attackMs:
            return "ms";
        case Law::percent:
            return "%";
        default:
            return "";
    }
}

double toReal(int32_t index, float normalised) {
    const double v = normalised;
    switch (lawOf(index)) {
        case Law::inputGainDb:
            return inputGainDb(v);
        case Law::outputVolumeDb:
            return outputVolumeDb(v);
        case Law::attackMs:
            return attackMs(std::clamp(v, 0.0, 1.0));
        case Law::releaseTime:
        case Law::times100:
        case Law::percent:
            return 100.0 * v;
        case Law::onOff:
            return isOn(normalised) ? 1.0 : 0.0;
        case Law::sidechainMode:
            return sidechainMode(normalised);
    }
    return v;
}

float fromReal(int32_t index, double real) { return static_cast<float>(normalisedFor(index, real)); }

float fromRealFloat(int32_t index, float real) {
    const auto roundsToReal = [&](double normalised) {
        return static_cast<float>(toReal(index, static_cast<float>(normalised))) == real;
    };
    // Every real value within half a step of `real` rounds to it; the normalised values
    // they stand for span [low, high], where many floats may lie when the law is flat or
    // scales the value up. Of those the one with the fewest decimal places is taken, being
    // the one a table, preset or person would have written; no more than a few decimals
    // are tried at each count, as a wider span has a shorter one.
    const double step = static_cast<double>(std::nextafter(real, INFINITY)) - real;
    const double low = normalisedFor(index, real - step / 2), high = normalisedFor(index, real + step / 2);
    double scale = 1.0;
    for (int places = 0; places <= 10; ++places, scale *= 10.0) {
        // One more either side: a decimal just outside may have its float inside.
        for (double units = std::floor(low * scale); units <= std::ceil(high * scale); ++units)
            if (roundsToReal(units / scale)) return static_cast<float>(units / scale);
    }
    const float nearest = fromReal(index, real);
    for (const float candidate : {nearest, std::nextafter(nearest, 2.0f), std::nextafter(nearest, -1.0f)})
        if (roundsToReal(candidate)) return candidate;
    return nearest;
}

float toRealFloat(int32_t index, float normalised) {
    const float rounded = static_cast<float>(toReal(index, normalised));
    for (int digits = 1; digits < 9; ++digits) {
        char text[32];
        const auto written = std::to_chars(text, text + sizeof text, rounded, std::chars_format::general, digits);
        float shorter = 0.0f;
        std::from_chars(text, written.ptr, shorter);
        if (fromRealFloat(index, shorter) == normalised) return shorter;
    }
    return rounded;
}

std::string realText(int32_t index, double real) {
    switch (lawOf(index)) {
        case Law::inputGainDb:
        case Law::outputVolumeDb:
            return fixed(real, 2) + " dB";
        case Law::attackMs:
            return fixed(real, 2) + " ms";
        case Law::releaseTime:
            return fixed(real, 2) + " (" + fixed(releaseMs(std::clamp(real / 100.0, 0.0, 1.0)), 0) + " ms)";
        case Law::times100:
            return fixed(real, 2);
        case Law::percent:
            return fixed(real, 1) + " %";
        case Law::onOff:
            return real >= 0.5 ? "On" : "Off";
        case Law::sidechainMode:
            return kSidechainTexts[static_cast<int>(std::clamp(std::round(real), 0.0, 2.0))];
    }
    return fixed(real, 3);
}

std::optional<double> parseRealText(int32_t index, const char* text) {
    if (!text) return std::nullopt;
    switch (lawOf(index)) {
        case Law::onOff:
            if (equalsIgnoringCase(text, "on")) return 1.0;
            if (equalsIgnoringCase(text, "off")) return 0.0;
            break;
        case Law::sidechainMode:
            for (int position = 0; position < 3; ++position)
                if (equalsIgnoringCase(text, kSidechainTexts[position])) return position;
            if (const auto hertz = leadingNumber(text, "Hz"))
                for (int position = 1; position < 3; ++position)
                    if (*hertz == 100.0 * position) return position;
            break;
        case Law::releaseTime:
            // "50.00 (430 ms)": the number before the bracket.
            if (const char* bracket = std::strchr(text, '('))
                return leadingNumber(std::string(text, bracket).c_str(), "");
            break;
        default:
            break;
    }
    const auto number = leadingNumber(text, unitOf(index));
    if (!number) return std::nullopt;
    const RealRange range = realRange(index);
    if (range.stepped && (*number != std::round(*number) || *number < range.minimum || *number > range.maximum))
        return std::nullopt;
    return number;
}

}  // namespace parameter
