// The signal path's output, bit for bit, against a committed reference: a fixed input of
// noise, sines, bursts, silence and a tail into the subnormal range, rendered through the
// real tube tables at the common rates and some uncommon ones, in odd block sizes with parameter changes between
// blocks, some blocks in place, a non-finite sample near the end and one run that changes
// the rate twice. Any optimisation must leave every case's hash unchanged.
//
// Regenerate the reference (only for an intended change of the sound):
//   MARVOLENZIK_GOLDEN=1 build/release/tests/dsp/dsp_tests --gtest_filter='GoldenRender.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/SignalPath.h"

namespace {

using dsp::ParameterSnapshot;

// A stretch of the render at one host rate.
struct Segment {
    float sampleRate;
    int frames;
};
struct Case {
    std::string name;
    std::vector<Segment> segments;
};

constexpr double kSeconds = 2.0;  // one second of warm-up, then the tube stage blends in

std::vector<Case> cases() {
    std::vector<Case> all;
    // The common rates, and a few uncommon ones where a sub-step holds up to six internal
    // samples (8 kHz) or most hold none (384 kHz).
    for (float rate : {8000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f,
                       192000.0f, 384000.0f})
        all.push_back({std::to_string(static_cast<int>(rate)),
                       {{rate, static_cast<int>(rate * kSeconds)}}});
    all.push_back({"44100-96000-176400", {{44100.0f, 22050}, {96000.0f, 48000}, {176400.0f, 176400}}});
    return all;
}

// Deterministic without the maths library: an xorshift generator for noise and a
// "magic circle" oscillator for sines, so the input is the same on every machine. Each
// sample is rounded to single precision once, at the end: GCC 12 at -O2 was seen to drop
// an intermediate rounding (a float widened back to double) when it vectorised such code.
class Generator {
public:
    // A multiple of 2^-23 in [-1, 1), exact in single precision.
    double noise() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return (static_cast<std::int32_t>(state_) >> 8) * (1.0 / 8388608.0);
    }

private:
    std::uint32_t state_ = 2463534242u;
};

class Oscillator {
public:
    explicit Oscillator(double step) : step_(step) {}
    double next() {
        x_ += step_ * y_;
        y_ -= step_ * x_;
        return y_;
    }

private:
    double step_, x_ = 1.0, y_ = 0.0;
};

// The input, stereo interleaved, in stretches that each show a different side of the path;
// t runs over kSeconds whatever the rate.
std::vector<float> input(int frames) {
    std::vector<float> samples(2 * static_cast<std::size_t>(frames));
    Generator random;
    Oscillator low(0.031), high(0.41), nearNyquist(1.93);
    double tail = 0.3;
    for (int n = 0; n < frames; ++n) {
        const double t = kSeconds * n / frames;
        const double noiseL = random.noise(), noiseR = random.noise();
        const double lowTone = low.next(), highTone = high.next(), topTone = nearNyquist.next();
        double l = 0.0, r = 0.0;
        if (t < 0.3) {
            l = 0.5 * noiseL;
            r = 0.5 * noiseR;
        } else if (t < 0.6) {
            l = 0.7 * lowTone;
            r = 0.3 * highTone + 0.2 * topTone;
        } else if (t < 0.7) {
            // silence
        } else if (t < 1.2) {
            const bool burst = std::fmod(t, 0.05) < 0.005;  // 5 ms of loud noise every 50 ms
            l = burst ? 1.5 * noiseL : 0.0;
            r = burst ? 1.5 * noiseR : 0.0;
        } else if (t < 1.6) {
            l = 0.25 * lowTone + 0.05 * noiseL;
            r = 0.9 * highTone + 0.05 * noiseR;
        } else if (t < 1.75) {
            // silence
        } else {
            l = tail * noiseL;
            r = tail * lowTone;
            tail *= 0.99;  // below the smallest subnormal after about 10,000 frames
        }
        samples[2 * n] = static_cast<float>(l);
        samples[2 * n + 1] = static_cast<float>(r);
    }
    return samples;
}

// Parameter sets visited in turn, a few blocks each: defaults, hard drive, the sidechain
// modes, dry only, bypass (Power exactly 0.5), a mix, and values outside 0..1.
const ParameterSnapshot kParameterSets[] = {
    {{0.0f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.0f}},
    {{0.6f, 0.8f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.5f}},
    {{0.3f, 0.9f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 1.0f}},
    {{0.2f, 1.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 1.0f, 1.0f, 0.26f}},
    {{1.0f, 0.7f, 0.1f, 0.9f, 0.2f, 0.9f, 0.8f, 1.0f, 0.5f, 0.0f, 0.76f}},
    {{1.0f, 0.6f, 0.05f, 0.3f, 0.1f, 0.7f, 0.95f, 0.8f, 1.0f, 1.0f, 0.75f}},
    {{1.2f, 1.1f, -0.1f, 1.3f, 1.05f, -0.2f, 1.1f, 1.1f, 0.51f, 0.0f, -0.5f}},
};
constexpr int kBlocksPerParameterSet = 3;
constexpr int kBlockSizes[] = {1, 127, 509, 3, 0, 2047, 61, 256, 1021, 17};

// Bits of a float; every NaN counts as one value, since which NaN an operation returns
// depends on operand order, which the sound does not.
std::uint32_t bitsOf(float value) {
    if (std::isnan(value)) return 0x7fc00000u;
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class Fnv1a {
public:
    void add(float value) {
        const std::uint32_t bits = bitsOf(value);
        for (int byte = 0; byte < 4; ++byte) {
            hash_ ^= (bits >> (8 * byte)) & 0xffu;
            hash_ *= 0x100000001b3ull;
        }
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

struct Render {
    std::uint64_t hash;
    std::map<int, std::pair<std::uint32_t, std::uint32_t>> excerpt;  // frame: left, right bits
};

// Frames kept as the excerpt: a few in the tones after the bursts and at the start of the tail.
std::vector<int> excerptFrames(int frames) {
    std::vector<int> picked;
    for (int start : {frames * 61 / 100, frames * 7 / 10, frames * 88 / 100})
        for (int n = start; n < start + 4; ++n) picked.push_back(n);
    return picked;
}

Render render(const Case& c) {
    int frames = 0;
    for (const Segment& segment : c.segments) frames += segment.frames;
    const std::vector<float> interleaved = input(frames);
    std::vector<float> left(frames), right(frames), outLeft(frames), outRight(frames);
    for (int n = 0; n < frames; ++n) {
        left[n] = interleaved[2 * n];
        right[n] = interleaved[2 * n + 1];
    }
    // One non-finite sample late in the render: the path starts its state afresh.
    left[frames - frames / 40] = NAN;

    auto path = std::make_unique<dsp::SignalPath>();
    Fnv1a hash;
    int position = 0, block = 0, segmentEnd = 0;
    for (const Segment& segment : c.segments) {
        EXPECT_TRUE(path->setSampleRate(segment.sampleRate));
        segmentEnd += segment.frames;
        while (position < segmentEnd) {
            const int size = std::min(kBlockSizes[block % std::size(kBlockSizes)], segmentEnd - position);
            const ParameterSnapshot& parameters =
                kParameterSets[(block / kBlocksPerParameterSet) % std::size(kParameterSets)];
            // Every fifth block in place, as hosts may pass the same buffers in and out.
            const bool inPlace = block % 5 == 4;
            float* outL = &outLeft[position];
            float* outR = &outRight[position];
            if (inPlace) {
                std::copy_n(&left[position], size, outL);
                std::copy_n(&right[position], size, outR);
            }
            const dsp::BlockMeters meters =
                path->processBlock(inPlace ? outL : &left[position], inPlace ? outR : &right[position],
                                   outL, outR, size, parameters);
            for (int n = 0; n < size; ++n) {
                hash.add(outL[n]);
                hash.add(outR[n]);
            }
            hash.add(meters.gainReductionLeft);
            hash.add(meters.gainReductionRight);
            hash.add(meters.inputLevel);
            hash.add(meters.outputLevel);
            position += size;
            ++block;
        }
    }
    Render result{hash.value(), {}};
    for (int n : excerptFrames(frames)) result.excerpt[n] = {bitsOf(outLeft[n]), bitsOf(outRight[n])};
    return result;
}

// The reference file: "case NAME HASH" and "frame NAME INDEX LEFT RIGHT" lines, in hex.
using Reference = std::map<std::string, Render>;

Reference readReference(const char* path) {
    Reference reference;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string kind, name;
        words >> kind >> name;
        if (kind == "case") {
            words >> std::hex >> reference[name].hash;
        } else if (kind == "frame") {
            int index;
            std::uint32_t l, r;
            words >> std::dec >> index >> std::hex >> l >> r;
            reference[name].excerpt[index] = {l, r};
        }
    }
    return reference;
}

void writeReference(const char* path, const Reference& reference) {
    std::ofstream file(path);
    file << "# Golden render of dsp::SignalPath, written by tests/dsp/GoldenRenderTest.cpp:\n"
            "# per case the hash of every output sample and meter, and a few output frames.\n";
    char line[128];
    for (const auto& [name, render] : reference) {
        std::snprintf(line, sizeof line, "case %s %016" PRIx64 "\n", name.c_str(), render.hash);
        file << line;
        for (const auto& [index, bits] : render.excerpt) {
            std::snprintf(line, sizeof line, "frame %s %d %08" PRIx32 " %08" PRIx32 "\n", name.c_str(),
                          index, bits.first, bits.second);
            file << line;
        }
    }
}

TEST(GoldenRender, EveryRateBitForBit) {
    const char* regenerate = std::getenv("MARVOLENZIK_GOLDEN");
    if (regenerate && std::strcmp(regenerate, "1") == 0) {
        Reference fresh;
        for (const Case& c : cases()) fresh[c.name] = render(c);
        writeReference(MARVOLENZIK_GOLDEN_FILE, fresh);
        GTEST_SKIP() << "reference written to " << MARVOLENZIK_GOLDEN_FILE;
    }

    const Reference reference = readReference(MARVOLENZIK_GOLDEN_FILE);
    ASSERT_EQ(reference.size(), cases().size()) << "missing or incomplete " << MARVOLENZIK_GOLDEN_FILE;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const Render now = render(c);
        const auto expected = reference.find(c.name);
        ASSERT_NE(expected, reference.end());
        EXPECT_EQ(now.hash, expected->second.hash);
        for (const auto& [index, bits] : expected->second.excerpt) {
            const auto got = now.excerpt.find(index);
            ASSERT_NE(got, now.excerpt.end()) << "frame " << index;
            EXPECT_EQ(got->second.first, bits.first) << "left, frame " << index;
            EXPECT_EQ(got->second.second, bits.second) << "right, frame " << index;
        }
    }
}

}  // namespace
