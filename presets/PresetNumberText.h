// Numbers in the preset text, always with the C locale's rules (a "." as decimal
// separator), whatever locale the host process has set.
#pragma once

#include <cstddef>
#include <optional>

// Writes " %.10f\n" of the value widened to double, zero-terminated, as printf does in
// the C locale; returns the length, or 0 when `capacity` is too small.
std::size_t formatPresetValueLine(float value, char* out, std::size_t capacity);

struct ScannedNumber {
    std::optional<float> value;  // empty: not a number this text accepts
    const char* end;             // where the next field starts
};

// Reads a number at `first` (no white space before it) with the C floating-point syntax:
// optional sign, digits, optional "." and fraction (at least one digit in all), optional
// exponent. The number ends at the first character that cannot continue it. Correctly
// rounded to single precision, as strtof does; a value too small for a float becomes
// zero, as strtof makes it.
//
// Refused, unlike the C library's scan: a started exponent without digits ("1e", "1e+")
// is a failed match, as the C standard has it; the hexadecimal form ("0x1p3"); infinity,
// NaN, and values too large for a float. A preset holds finite values only.
ScannedNumber scanDecimalNumber(const char* first, const char* last);
