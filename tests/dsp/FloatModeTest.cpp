#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <vector>

#include "TestSupport.h"
#include "dsp/FloatMode.h"

namespace {

constexpr unsigned kFlushBits = dsp::ScopedFloatMode::kFlushToZero | dsp::ScopedFloatMode::kDenormalsAreZero;
constexpr unsigned kRoundTowardZero = 0x6000;

TEST(ScopedNoDenormals, FlushesInsideAndRestoresTheCallersMode) {
    const unsigned original = _mm_getcsr();
    const unsigned callerMode = dsp::ScopedFloatMode::kIeeeDefault | kRoundTowardZero;
    _mm_setcsr(callerMode);
    {
        dsp::ScopedNoDenormals noDenormals;
        EXPECT_EQ(_mm_getcsr() & kFlushBits, kFlushBits);
        EXPECT_EQ(_mm_getcsr() & kRoundTowardZero, 0u);  // round to nearest inside
        volatile float tiny = 1e-30f;
        EXPECT_EQ(tiny * 1e-10f, 0.0f);
    }
    EXPECT_EQ(_mm_getcsr() & ~0x3Fu, callerMode);  // status flags aside
    _mm_setcsr(original);
}

TEST(ScopedNoDenormals, ProcessBlockGivesTheHostItsModeBack) {
    auto path = dsptest::makeSignalPath();
    std::vector<float> in(256, 0.25f), out(256);
    const unsigned original = _mm_getcsr();
    const unsigned hostMode = dsp::ScopedFloatMode::kIeeeDefault | kRoundTowardZero;
    _mm_setcsr(hostMode);
    path->processBlock(in.data(), in.data(), out.data(), out.data(), 256, dsptest::defaultParameters());
    const unsigned after = _mm_getcsr();
    _mm_setcsr(original);
    EXPECT_EQ(after & ~0x3Fu, hostMode);
}

}  // namespace
