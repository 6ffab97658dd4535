#include "tools/validator/Signals.h"

#include <cmath>
#include <limits>

#include "tools/validator/Verdict.h"

namespace validator {

namespace {
constexpr int kImpulseSpacing = 1000;
constexpr float kQuietNoise = 0.1f;
}  // namespace

const char* signalName(Signal signal) {
    switch (signal) {
        case Signal::Silence: return "silence";
        case Signal::Noise: return "full-scale noise";
        case Signal::QuietNoise: return "noise at -20 dBFS";
        case Signal::Dc: return "DC";
        case Signal::Impulses: return "impulses";
        case Signal::Subnormals: return "subnormal numbers";
        case Signal::NotANumber: return "NaN";
        case Signal::PlusInfinity: return "+infinity";
        case Signal::MinusInfinity: return "-infinity";
    }
    return "?";
}

void fillInputs(AudioBuffers& buffers, Signal signal, int frames, long position, Random& random) {
    const float smallest = std::numeric_limits<float>::denorm_min();
    const float subnormalTop = std::numeric_limits<float>::min();
    for (int c = 0; c < buffers.inputCount(); ++c) {
        float* channel = buffers.input(c);
        for (int i = 0; i < frames; ++i) {
            float sample = 0.0f;
            switch (signal) {
                case Signal::Silence: break;
                case Signal::Noise: sample = random.uniform(-1.0f, 1.0f); break;
                case Signal::QuietNoise: sample = kQuietNoise * random.uniform(-1.0f, 1.0f); break;
                case Signal::Dc: sample = 1.0f; break;
                case Signal::Impulses: sample = (position + i) % kImpulseSpacing == 0 ? 1.0f : 0.0f; break;
                case Signal::Subnormals:
                    sample = random.uniform(smallest, subnormalTop * 0.999f);
                    if (random.chance(0.5)) sample = -sample;
                    break;
                case Signal::NotANumber: sample = std::numeric_limits<float>::quiet_NaN(); break;
                case Signal::PlusInfinity: sample = std::numeric_limits<float>::infinity(); break;
                case Signal::MinusInfinity: sample = -std::numeric_limits<float>::infinity(); break;
            }
            channel[i] = sample;
        }
    }
}

void fillQuietNoise(AudioBuffers& buffers, int frames, Random& random) {
    fillInputs(buffers, Signal::QuietNoise, frames, 0, random);
}

OutputScan scanOutputs(const AudioBuffers& buffers, int frames) {
    OutputScan scan;
    for (int c = 0; c < buffers.outputCount(); ++c) {
        const float* channel = buffers.output(c);
        for (int i = 0; i < frames; ++i) {
            const float sample = channel[i];
            if (!std::isfinite(sample)) {
                if (scan.nonFinite++ == 0) scan.firstNonFinite = i;
            } else if (std::fpclassify(sample) == FP_SUBNORMAL) {
                ++scan.subnormal;
            } else if (std::fabs(sample) > scan.peak) {
                scan.peak = std::fabs(sample);
            }
        }
    }
    return scan;
}

std::string saneOutputProblem(const OutputScan& scan) {
    if (scan.nonFinite > 0)
        return describe("%ld non-finite output samples (first at frame %d)", scan.nonFinite,
                        scan.firstNonFinite);
    if (scan.subnormal > 0) return describe("%ld subnormal output samples", scan.subnormal);
    if (scan.peak > kOutputCeiling)
        return describe("output peak %.1f dBFS above the +24 dBFS ceiling",
                        20.0 * std::log10(static_cast<double>(scan.peak)));
    return {};
}

void requireFinite(const OutputScan& scan, const std::string& situation) {
    if (scan.nonFinite > 0 || scan.subnormal > 0) fail(situation + ": " + saneOutputProblem(scan));
}

}  // namespace validator
