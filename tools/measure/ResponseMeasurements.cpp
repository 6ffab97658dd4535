// The frequency response, from stepped sines, and the latency, from an impulse.
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "tools/analysis/HarmonicAnalysis.h"
#include "tools/measure/Measure.h"

namespace measure {

namespace {

constexpr double kWindowSeconds = 0.1;

double degreesOf(std::complex<double> ratio) { return std::arg(ratio) * 180.0 / std::numbers::pi; }

}  // namespace

std::vector<double> sweepFrequencies(double rate, double highest) {
    static const double kThirdOctaves[] = {20,   30,   40,   50,   60,    80,    100,   130,   160,  200,
                                           250,  320,  400,  500,  630,   800,   1000,  1250,  1600, 2000,
                                           2500, 3150, 4000, 5000, 6300,  8000,  10000, 12500, 16000, 20000};
    std::vector<double> frequencies;
    for (const double hertz : kThirdOctaves)
        if (hertz <= highest && hertz < 0.45 * rate) frequencies.push_back(hertz);
    return frequencies;
}

FrequencyResponse measureFrequencyResponse(const ProbeFactory& make, double rate, const std::string& condition,
                                           double levelDbfs) {
    constexpr double kSettleSeconds = 0.3;
    const double amplitude = std::pow(10.0, levelDbfs / 20.0);
    const auto probe = make(rate);
    FrequencyResponse response{condition, levelDbfs, {}};
    // Upwards: where a detector hears high frequencies louder, the gain settles by its attack.
    for (const double hertz : sweepFrequencies(rate, 20000.0)) {
        char stage[96];
        std::snprintf(stage, sizeof stage, "the frequency response (%s) at %.0f Hz", condition.c_str(), hertz);
        probe->setStage(stage);
        probe->playSine(amplitude, hertz, kSettleSeconds);
        const std::vector<double> output = probe->playSine(amplitude, hertz, kWindowSeconds);
        const double cycles = hertz / rate;
        std::complex<double> ratio = analysis::toneAt(output, cycles) / analysis::toneAt(probe->lastInput(), cycles);
        // The delay the plug-in reports is taken out: hosts compensate it.
        ratio *= std::polar(1.0, 2.0 * std::numbers::pi * cycles * probe->reportedLatency());
        response.points.push_back({hertz, decibels(std::abs(ratio)), degreesOf(ratio)});
    }
    // Unwrapped, so that the phase runs on across the frequencies instead of jumping by 360.
    for (std::size_t i = 1; i < response.points.size(); ++i) {
        double& phase = response.points[i].phaseDegrees;
        const double previous = response.points[i - 1].phaseDegrees;
        while (phase - previous > 180.0) phase -= 360.0;
        while (phase - previous < -180.0) phase += 360.0;
    }
    return response;
}

DetectorResponse detectorResponse(const std::string& setting, const FrequencyResponse& low,
                                  const FrequencyResponse& compressing) {
    DetectorResponse detector{setting, {}};
    for (std::size_t i = 0; i < low.points.size() && i < compressing.points.size(); ++i)
        detector.hertzAndGainReductionDb.emplace_back(low.points[i].hertz,
                                                      low.points[i].magnitudeDb - compressing.points[i].magnitudeDb);
    return detector;
}

int measureLatency(const ProbeFactory& make, double rate) {
    const auto probe = make(rate);
    probe->setStage("the latency");
    std::vector<double> impulse(static_cast<std::size_t>(0.5 * rate), 0.0);
    impulse[0] = 0.1;
    const std::vector<double> response = probe->play(impulse);
    std::size_t peak = 0;
    for (std::size_t i = 1; i < response.size(); ++i)
        if (std::fabs(response[i]) > std::fabs(response[peak])) peak = i;
    return static_cast<int>(peak);
}

}  // namespace measure
