#include "presets/PresetNumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const char* skipDigits(const char* at, const char* last) {
    while (at != last && isDigit(*at)) ++at;
    return at;
}

// The decimal exponent of the leading non-zero digit of [first, last), a number without
// sign: 2 for 123.4, -3 for 0.0012e0. Used only to tell overflow from underflow, so the
// exponent part saturates far beyond a float's range.
long decimalMagnitude(const char* first, const char* last) {
    long magnitude = 0;
    long integerDigits = 0;
    bool found = false;
    const char* at = first;
    for (; at != last && isDigit(*at); ++at) {
        if (!found && *at != '0') {
            found = true;
            magnitude = -integerDigits;
        }
        ++integerDigits;
    }
    if (found) magnitude += integerDigits - 1;
    if (at != last && *at == '.') ++at;
    for (long place = -1; at != last && isDigit(*at); ++at, --place) {
        if (!found && *at != '0') {
            found = true;
            magnitude = place;
        }
    }
    if (at != last && (*at == 'e' || *at == 'E')) {
        ++at;
        const bool negative = at != last && *at == '-';
        if (at != last && (*at == '-' || *at == '+')) ++at;
        long exponent = 0;
        for (; at != last && isDigit(*at); ++at)
            if (exponent < 1000000) exponent = exponent * 10 + (*at - '0');
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

}  // namespace

std::size_t formatPresetValueLine(float value, char* out, std::size_t capacity) {
    if (capacity < 3) return 0;
    char* const last = out + capacity - 2;  // room for the line feed and the zero
    out[0] = ' ';
    // Fixed notation with a precision is exact and rounds ties to even, as printf does.
    const auto result =
        std::to_chars(out + 1, last, static_cast<double>(value), std::chars_format::fixed, 10);
    if (result.ec != std::errc()) {
        out[0] = '\0';
        return 0;
    }
    result.ptr[0] = '\n';
    result.ptr[1] = '\0';
    return static_cast<std::size_t>(result.ptr + 1 - out);
}

ScannedNumber scanDecimalNumber(const char* first, const char* last) {
    const char* at = first;
    const bool negative = at != last && *at == '-';
    if (at != last && (*at == '-' || *at == '+')) ++at;
    const char* const mantissa = at;
    at = skipDigits(at, last);
    if (at == mantissa + 1 && *mantissa == '0' && at != last && (*at == 'x' || *at == 'X'))
        return {std::nullopt, at + 1};
    long digits = at - mantissa;
    if (at != last && *at == '.') {
        const char* const fraction = at + 1;
        at = skipDigits(fraction, last);
        digits += at - fraction;
    }
    if (digits == 0) return {std::nullopt, at};
    if (at != last && (*at == 'e' || *at == 'E')) {
        const char* exponent = at + 1;
        if (exponent != last && (*exponent == '-' || *exponent == '+')) ++exponent;
        if (exponent == last || !isDigit(*exponent)) return {std::nullopt, exponent};
        at = skipDigits(exponent, last);
    }

    float value = 0.0f;
    const auto result = std::from_chars(mantissa, at, value, std::chars_format::general);
    if (result.ptr != at) return {std::nullopt, at};
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(mantissa, at) >= 0) return {std::nullopt, at};
        value = 0.0f;
    } else if (result.ec != std::errc()) {
        return {std::nullopt, at};
    }
    if (negative) value = -value;
    if (!std::isfinite(value)) return {std::nullopt, at};
    return {value, at};
}
