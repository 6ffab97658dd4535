#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/SharedTubeTables.h"

namespace dsptest {

dsp::TubeTableCoefficients squareLawCoefficients() {
    dsp::TubeTableCoefficients data{};
    constexpr int kTerms = dsp::TubeTableCoefficients::kDegree + 1;
    for (int table = 0; table < dsp::TubeTableCoefficients::kTables; ++table) {
        data.scale[table] = dsp::kTubeTableCoefficients.scale[table];
        // ((1 + x) / 2)^2, coefficients stored from power 20 down to power 0
        data.coefficients[table * kTerms + 20] = 0.25f;
        data.coefficients[table * kTerms + 19] = 0.5f;
        data.coefficients[table * kTerms + 18] = 0.25f;
    }
    return data;
}

std::shared_ptr<const dsp::TubeTables> squareLawTables() {
    static const std::shared_ptr<const dsp::TubeTables> tables =
        dsp::buildTubeTables(squareLawCoefficients());
    return tables;
}

dsp::ParameterSnapshot defaultParameters() {
    return {{0.0f, 1.0f, 0.2f, 0.5f, 0.8f, 0.3f, 0.3f, 1.0f, 1.0f, 1.0f, 0.0f}};
}

std::unique_ptr<dsp::SignalPath> makeSignalPath(float sampleRate) {
    auto path = std::make_unique<dsp::SignalPath>(squareLawTables());
    if (sampleRate != 44100.0f) path->setSampleRate(sampleRate);
    return path;
}

std::vector<float> sine(int frames, double frequency, double sampleRate, double amplitude,
                        double phase) {
    std::vector<float> out(frames);
    for (int n = 0; n < frames; ++n)
        out[n] = static_cast<float>(
            amplitude * std::sin(2.0 * std::numbers::pi * frequency * n / sampleRate + phase));
    return out;
}

Stereo render(dsp::SignalPath& path, const Stereo& input, const dsp::ParameterSnapshot& parameters,
              int blockSize) {
    const int frames = static_cast<int>(input.left.size());
    Stereo out{std::vector<float>(frames), std::vector<float>(frames)};
    for (int start = 0; start < frames; start += blockSize) {
        const int count = std::min(blockSize, frames - start);
        path.processBlock(&input.left[start], &input.right[start], &out.left[start],
                          &out.right[start], count, parameters);
    }
    return out;
}

double rmsDb(const std::vector<float>& signal, int from, int to) {
    double sum = 0.0;
    for (int n = from; n < to; ++n) sum += static_cast<double>(signal[n]) * signal[n];
    return 10.0 * std::log10(sum / (to - from));
}

double sineFitDb(const std::vector<float>& signal, int from, int to, double frequency,
                 double sampleRate, double* residualDb) {
    double ss = 0, cc = 0, sc = 0, ys = 0, yc = 0;
    const double w = 2.0 * std::numbers::pi * frequency / sampleRate;
    for (int n = from; n < to; ++n) {
        const double s = std::sin(w * n), c = std::cos(w * n), y = signal[n];
        ss += s * s;
        cc += c * c;
        sc += s * c;
        ys += y * s;
        yc += y * c;
    }
    const double det = ss * cc - sc * sc;
    const double a = (ys * cc - yc * sc) / det;
    const double b = (yc * ss - ys * sc) / det;
    if (residualDb) {
        double sum = 0.0;
        for (int n = from; n < to; ++n) {
            const double e = signal[n] - (a * std::sin(w * n) + b * std::cos(w * n));
            sum += e * e;
        }
        *residualDb = 10.0 * std::log10(sum / (to - from) + 1e-300);
    }
    return 20.0 * std::log10(std::sqrt((a * a + b * b) / 2.0));
}

}  // namespace dsptest
