// Guards that put the SSE floating-point unit into a known mode for a scope and give the
// caller's mode back on exit. Hosts call in with whatever mode they use themselves.
#pragma once

#include <xmmintrin.h>

namespace dsp {

class ScopedFloatMode {
public:
    explicit ScopedFloatMode(unsigned int mode) : callerMode_(_mm_getcsr()) { _mm_setcsr(mode); }
    ~ScopedFloatMode() { _mm_setcsr(callerMode_); }
    ScopedFloatMode(const ScopedFloatMode&) = delete;
    ScopedFloatMode& operator=(const ScopedFloatMode&) = delete;

    // All exceptions masked, round to nearest: the IEEE default.
    static constexpr unsigned int kIeeeDefault = 0x1F80;
    static constexpr unsigned int kFlushToZero = 0x8000;
    static constexpr unsigned int kDenormalsAreZero = 0x0040;

private:
    unsigned int callerMode_;
};

// The processing mode: IEEE default plus flush-to-zero and denormals-are-zero, so that
// decaying filter tails never fall into the slow denormal range.
class ScopedNoDenormals : public ScopedFloatMode {
public:
    ScopedNoDenormals() : ScopedFloatMode(kIeeeDefault | kFlushToZero | kDenormalsAreZero) {}
};

// The table-building mode: the tables must come out the same whatever mode the creating
// thread runs in (denormal powers included).
class ScopedIeeeFloatMode : public ScopedFloatMode {
public:
    ScopedIeeeFloatMode() : ScopedFloatMode(kIeeeDefault) {}
};

}  // namespace dsp
