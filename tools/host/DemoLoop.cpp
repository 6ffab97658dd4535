#include "tools/host/DemoLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vsthost {

namespace {

constexpr double kStepSeconds = 0.125;  // sixteenth notes at 120 beats per minute
constexpr int kStepsPerLoop = 32;       // two bars
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kPeak = 0.8912509381337456;  // -1 dBFS

// One character per sixteenth note of the two bars.
constexpr char kKickSteps[] = "x.....x.x.........x.x.....x.x..x";
constexpr char kSnareSteps[] = "....x.......x.......x.......x..x";
constexpr char kHatSteps[] = "x.x.x.x.x.x.x.o.x.x.x.x.x.x.x.o.";  // o: open hat
// Bass notes (MIDI numbers) per step, 0 for none.
constexpr int kBassNotes[kStepsPerLoop] = {40, 0, 40, 0, 0, 0, 43, 0, 40, 0, 0,  38, 0,  0, 35, 0,
                                           40, 0, 40, 0, 0, 0, 43, 0, 45, 0, 43, 0,  38, 0, 35, 0};

// A small, fixed pseudo-random generator, so the noise is the same on every machine.
class Noise {
public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_ = 0x2545F491u;
};

class Mixer {
public:
    explicit Mixer(StereoBuffer& buffer) : buffer_(buffer), rate_(buffer.sampleRate) {}

    double rate() const { return rate_; }
    // Frames a voice of `seconds` may write from `start` without running off the end.
    std::int64_t span(std::int64_t start, double seconds) const {
        return std::min<std::int64_t>(std::llround(seconds * rate_), buffer_.frames() - start);
    }
    void add(std::int64_t frame, double sample, double leftGain, double rightGain) {
        buffer_.left[frame] += static_cast<float>(sample * leftGain);
        buffer_.right[frame] += static_cast<float>(sample * rightGain);
    }

private:
    StereoBuffer& buffer_;
    double rate_;
};

void addKick(Mixer& mixer, std::int64_t start) {
    double phase = 0.0;
    const std::int64_t frames = mixer.span(start, 0.45);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = i / mixer.rate();
        phase += kTwoPi * (50.0 + 110.0 * std::exp(-t / 0.03)) / mixer.rate();
        mixer.add(start + i, 0.9 * std::exp(-t / 0.12) * std::sin(phase), 1.0, 1.0);
    }
}

void addSnare(Mixer& mixer, std::int64_t start, Noise& noise) {
    double previous = 0.0;
    const std::int64_t frames = mixer.span(start, 0.25);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = i / mixer.rate();
        const double white = noise.next();
        const double rattle = white - previous;  // first difference: the noise loses its low end
        previous = white;
        const double tone = std::sin(kTwoPi * 185.0 * t) * std::exp(-t / 0.05);
        mixer.add(start + i, 0.35 * tone + 0.3 * rattle * std::exp(-t / 0.07), 0.55, 0.45);
    }
}

void addHat(Mixer& mixer, std::int64_t start, bool open, Noise& noise) {
    double previous = 0.0;
    double previousDifference = 0.0;
    const double decay = open ? 0.09 : 0.018;
    const std::int64_t frames = mixer.span(start, open ? 0.35 : 0.08);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = i / mixer.rate();
        const double white = noise.next();
        const double difference = white - previous;
        const double hiss = difference - previousDifference;  // second difference: only the top
        previous = white;
        previousDifference = difference;
        mixer.add(start + i, 0.08 * hiss * std::exp(-t / decay), 0.4, 0.6);
    }
}

// Smooths the step of a naive sawtooth (polynomial band-limited step), so the bass does
// not alias badly at low rates.
double bandLimitedStep(double phase, double increment) {
    if (phase < increment) {
        const double x = phase / increment;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double x = (phase - 1.0) / increment;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

void addBass(Mixer& mixer, std::int64_t start, int note) {
    const double frequency = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    const double increment = frequency / mixer.rate();
    const double length = 1.6 * kStepSeconds;
    double phase = 0.0;
    double lowPassed = 0.0;
    const std::int64_t frames = mixer.span(start, length);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = i / mixer.rate();
        const double saw = 2.0 * phase - 1.0 - bandLimitedStep(phase, increment);
        phase += increment;
        if (phase >= 1.0) phase -= 1.0;
        const double cutoff = 250.0 + 1400.0 * std::exp(-t / 0.06);
        lowPassed += (1.0 - std::exp(-kTwoPi * cutoff / mixer.rate())) * (saw - lowPassed);
        const double envelope = std::min({1.0, t / 0.003, (length - t) / 0.01});
        mixer.add(start + i, 0.5 * envelope * lowPassed, 1.0, 1.0);
    }
}

void normalise(StereoBuffer& buffer) {
    float peak = 0.0f;
    for (std::int64_t i = 0; i < buffer.frames(); ++i)
        peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    if (peak == 0.0f) return;
    const float scale = static_cast<float>(kPeak / peak);
    for (std::int64_t i = 0; i < buffer.frames(); ++i) {
        buffer.left[i] *= scale;
        buffer.right[i] *= scale;
    }
}

}  // namespace

StereoBuffer synthesiseDemoLoop(double sampleRate, double seconds) {
    StereoBuffer buffer;
    buffer.sampleRate = sampleRate;
    const auto frames = static_cast<std::size_t>(std::llround(seconds * sampleRate));
    buffer.left.assign(frames, 0.0f);
    buffer.right.assign(frames, 0.0f);

    Mixer mixer(buffer);
    Noise noise;
    for (std::int64_t step = 0;; ++step) {
        const std::int64_t start = std::llround(step * kStepSeconds * sampleRate);
        if (start >= buffer.frames()) break;
        const int position = static_cast<int>(step % kStepsPerLoop);
        if (kKickSteps[position] == 'x') addKick(mixer, start);
        if (kSnareSteps[position] == 'x') addSnare(mixer, start, noise);
        if (kHatSteps[position] != '.') addHat(mixer, start, kHatSteps[position] == 'o', noise);
        if (kBassNotes[position] != 0) addBass(mixer, start, kBassNotes[position]);
    }
    normalise(buffer);
    return buffer;
}

}  // namespace vsthost
