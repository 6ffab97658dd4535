// Four single-precision lanes in one SSE register. The tube stage carries the left and
// right channel in lanes 0 and 1 (the two channels do identical arithmetic, so each lane
// gives exactly what a scalar computation would); lanes 2 and 3 ride along unused, or,
// where two quantities are computed at once, carry the second one's left and right.
#pragma once

#include <xmmintrin.h>

#include <bit>
#include <cmath>

namespace dsp {

using Float4 = float __attribute__((vector_size(16)));
using Int4 = int __attribute__((vector_size(16)));

// The value in all four lanes, e.g. for registers that carry two stereo pairs side by side.
constexpr Float4 splat(float value) { return Float4{value, value, value, value}; }

// A constant in the form the lanes use. For Float4 it fills lanes 0 and 1 only: the
// compiler then takes such a constant straight from memory instead of broadcasting a
// scalar at every use.
template <class Sample>
constexpr Sample constant(float value);
template <>
constexpr float constant<float>(float value) {
    return value;
}
template <>
constexpr Float4 constant<Float4>(float value) {
    return Float4{value, value, 0.0f, 0.0f};
}
inline Float4 stereo(float left, float right) { return Float4{left, right, 0.0f, 0.0f}; }

// (a0, a1, b0, b1): the stereo pairs of a and b side by side.
inline Float4 pairOf(Float4 a, Float4 b) { return _mm_movelh_ps(a, b); }
// (a2, a3, a2, a3): the second stereo pair, moved to lanes 0 and 1.
inline Float4 secondPair(Float4 a) { return _mm_movehl_ps(a, a); }
// Stores the stereo pair in lanes 0, 1 of value as the first (0) or second (1) pair of to.
inline void storePair(Float4& to, int pair, Float4 value) {
    float* half = reinterpret_cast<float*>(&to) + 2 * pair;
    _mm_storel_pi(reinterpret_cast<__m64*>(half), value);
}

// Clamp to [0, 1]; NaN gives 0, so that a position derived from it stays inside its table.
inline float clamp01(float value) {
    value = value > 0.0f ? value : 0.0f;
    return value < 1.0f ? value : 1.0f;
}
inline Float4 clamp01(Float4 value) {
    // maxps returns its second operand when the first is NaN
    return _mm_min_ps(_mm_max_ps(value, Float4{}), splat(1.0f));
}

inline float select(bool condition, float ifTrue, float ifFalse) {
    return condition ? ifTrue : ifFalse;
}
inline Float4 select(Int4 condition, Float4 ifTrue, Float4 ifFalse) {
    return condition ? ifTrue : ifFalse;
}
// a < b ? a : b and a > b ? a : b, lane by lane (NaN in a gives b), as minps and maxps do.
inline float lesserOf(float a, float b) { return a < b ? a : b; }
inline Float4 lesserOf(Float4 a, Float4 b) { return _mm_min_ps(a, b); }
inline float greaterOf(float a, float b) { return a > b ? a : b; }
inline Float4 greaterOf(Float4 a, Float4 b) { return _mm_max_ps(a, b); }

inline bool anyLane(bool condition) { return condition; }
inline bool anyLane(Int4 condition) {
    return _mm_movemask_ps(std::bit_cast<__m128>(condition)) != 0;
}

inline float magnitude(float value) { return std::fabs(value); }
inline Float4 magnitude(Float4 value) { return _mm_andnot_ps(splat(-0.0f), value); }

// x * 0 is NaN exactly when x is infinite or NaN.
inline bool allFinite(float value) { return value * 0.0f == 0.0f; }
inline bool allFinite(Float4 value) {
    const Float4 probe = value * 0.0f;
    return (probe[0] + probe[1] + probe[2] + probe[3]) == 0.0f;
}
template <class Sample, int kCount>
bool allFinite(const Sample (&values)[kCount]) {
    Sample probe{};
    for (const Sample& value : values) probe = probe + value * 0.0f;
    return allFinite(probe);
}

}  // namespace dsp
