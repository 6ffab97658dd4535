// The lowpass pair against the plain filters it replaces: its up lanes must give the
// zero-stuffed up-sampling lowpass and its down lanes the down-sampling lowpass, two host
// samples later, bit for bit (signed zeros included), across chunks of any size, driven the
// way the signal path drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "dsp/EllipticLowpass.h"
#include "dsp/FloatMode.h"
#include "dsp/LowpassPair.h"

namespace {

using dsp::Float4;
using dsp::Int4;
using dsp::LowpassPair;

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Host samples (stereo) for the up filter and sub-step samples for the down filter: noise,
// then long silence (the states decay to exact zeros under flush-to-zero), then zeros of
// both signs and single impulses.
struct Input {
    std::vector<Float4> host, sub;
};
Input makeInput(int hostSamples) {
    Input input;
    std::mt19937 random(17);
    std::normal_distribution<float> noise(0.0f, 0.5f);
    for (int s = 0; s < hostSamples; ++s) {
        const float part = static_cast<float>(s) / hostSamples;
        const auto value = [&](int k) {
            if (part < 0.3f) return noise(random);
            if (part < 0.8f) return 0.0f;
            return (s + k) % 97 == 0 ? 1.0f : ((s + k) % 2 ? -0.0f : 0.0f);
        };
        input.host.push_back(dsp::stereo(value(0), value(1)));
        for (int q = 0; q < dsp::kOversampling; ++q)
            input.sub.push_back(dsp::stereo(value(2 + q), value(7 + q)));
    }
    return input;
}

template <int kSubStep, bool kEdge>
Float4 step(LowpassPair& pair, int up, Float4 upInput, Float4 downInput, Int4 running) {
    return pair.step<kSubStep, kEdge>(dsp::kOversampling * up + kSubStep,
                                      dsp::pairOf(kSubStep == 0 ? upInput : Float4{}, downInput),
                                      running);
}

TEST(LowpassPair, EqualsTheZeroStuffedAndThePlainLowpass) {
    dsp::ScopedNoDenormals noDenormals;
    constexpr int kHostSamples = 40000;
    const Input input = makeInput(kHostSamples);
    dsp::ZeroStuffedLowpass<Float4> upReference;
    dsp::EllipticLowpass<Float4> downReference;
    LowpassPair pair;
    std::mt19937 random(5);
    std::uniform_int_distribution<int> chunkSize(1, LowpassPair::kMaxChunk);

    for (int start = 0; start < kHostSamples;) {
        const int frames = std::min(chunkSize(random), kHostSamples - start);
        const auto iteration = [&]<bool kEdge>(int n) {
            const int up = n + 1, down = n - 1;
            const bool upRuns = up < frames, downRuns = down >= 0;
            const Int4 running = LowpassPair::lanes(upRuns, downRuns);
            const Float4 upInput = upRuns ? input.host[start + up] : Float4{};
            const auto check = [&](int q, Float4 y) {
                if (upRuns) {
                    const Float4 expected = upReference.process(q, upInput);
                    for (int lane : {0, 1}) ASSERT_TRUE(sameBits(y[lane], expected[lane])) << start + up << " " << q;
                }
                if (downRuns) {
                    const Float4 expected = downReference.process(input.sub[4 * (start + down) + q]);
                    for (int lane : {0, 1})
                        ASSERT_TRUE(sameBits(y[2 + lane], expected[lane])) << start + down << " " << q;
                }
            };
            const auto downInput = [&](int q) {
                return downRuns ? input.sub[4 * (start + down) + q] : Float4{};
            };
            check(0, step<0, kEdge>(pair, up, upInput, downInput(0), running));
            check(1, step<1, kEdge>(pair, up, upInput, downInput(1), running));
            check(2, step<2, kEdge>(pair, up, upInput, downInput(2), running));
            check(3, step<3, kEdge>(pair, up, upInput, downInput(3), running));
        };
        int n = -1;
        for (; n < 1 && n <= frames; ++n) iteration.template operator()<true>(n);
        for (; n < frames - 1; ++n) iteration.template operator()<false>(n);
        for (; n <= frames; ++n) iteration.template operator()<true>(n);
        if (HasFatalFailure()) return;
        pair.endChunk(frames);
        start += frames;
    }
    EXPECT_TRUE(pair.isFinite());
}

}  // namespace
