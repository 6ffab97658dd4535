// The parameters in the terms a user thinks in: each active parameter's real value (in dB,
// ms or %, a switch's position, or the number the read-out shows), its range, and its text
// both ways. Formats that show values to hosts (CLAP, LV2) use these; the effect itself
// stores normalised values. Texts are the C locale's whatever locale the host has set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace parameter {

struct RealRange {
    double minimum, maximum, defaultValue;
    // A switch or selector: only whole positions from minimum to maximum.
    bool stepped;
};

// For indices 0 to 10; anything else has the range 0 to 1.
RealRange realRange(int32_t index);
const char* unitOf(int32_t index);  // "dB", "ms", "%" or ""

// Normalised to real and back. A round trip gives back the same float for every
// normalised value of a continuous parameter in 0..1; a switch's real value is its
// position. Real values outside the range are taken as its nearest end.
double toReal(int32_t index, float normalised);
float fromReal(int32_t index, double real);
// For formats whose values are single-precision floats (LV2's control ports), where not
// every normalised float has a real float of its own:
// - the real value to write for a normalised one: the shortest decimal that fromRealFloat
//   takes back to it (30 for 0.3 rather than 30.000002), else toReal's rounded;
// - the normalised value of a real one written so: where several normalised floats round
//   to it, the one with the fewest decimal places, as defaults and round values (0.25,
//   0.7) have; where none does, fromReal's.
float toRealFloat(int32_t index, float normalised);
float fromRealFloat(int32_t index, float real);

// "-6.00 dB", "1.20 ms", "On", "100 Hz": what hosts show.
std::string realText(int32_t index, double real);
// Reads what realText writes, and a plain number in the parameter's terms (with or
// without the unit); a switch also takes its position. Nothing for anything else.
std::optional<double> parseRealText(int32_t index, const char* text);

}  // namespace parameter
