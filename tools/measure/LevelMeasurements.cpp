// The static curve and the step response: how much a 1 kHz sine is turned down at each
// level once settled, and how fast the gain moves when the level jumps by 20 dB and back.
#include <cmath>
#include <cstdio>

#include "tools/measure/Measure.h"

namespace measure {

namespace {

double amplitudeOf(double dbfs) { return std::pow(10.0, dbfs / 20.0); }

std::string dbfsText(double dbfs) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f dBFS", dbfs);
    return text;
}

// The time, from `fromMs`, after which `reached` holds for good (so that a passing wobble
// of the output, a tube stage's coupling settling, say, does not count), or NaN.
template <typename Reached>
double timeToReach(const std::vector<double>& timeMs, const std::vector<double>& values, double fromMs, double toMs,
                   Reached&& reached) {
    double since = NAN;
    for (std::size_t i = 0; i < timeMs.size(); ++i) {
        if (timeMs[i] < fromMs || timeMs[i] >= toMs) continue;
        if (!reached(values[i]))
            since = NAN;
        else if (std::isnan(since))
            since = timeMs[i] - fromMs;
    }
    return since;
}

// The mean of `values` over [fromMs, toMs).
double meanOver(const std::vector<double>& timeMs, const std::vector<double>& values, double fromMs, double toMs) {
    double sum = 0.0;
    int count = 0;
    for (std::size_t i = 0; i < timeMs.size(); ++i)
        if (timeMs[i] >= fromMs && timeMs[i] < toMs) {
            sum += values[i];
            ++count;
        }
    return count ? sum / count : NAN;
}

}  // namespace

std::vector<CurvePoint> measureStaticCurve(const ProbeFactory& make, double rate) {
    constexpr double kHertz = 1000.0, kSettleSeconds = 1.0, kWindowSeconds = 0.1;
    const auto probe = make(rate);
    std::vector<CurvePoint> curve;
    double quietestGain = NAN;
    // Upwards, so that each level is reached by the attack, not the slower release.
    for (int level = -60; level <= 0; level += 2) {
        probe->setStage("the static curve at " + dbfsText(level));
        probe->playSine(amplitudeOf(level), kHertz, kSettleSeconds);
        const double output = sineDbfs(probe->playSine(amplitudeOf(level), kHertz, kWindowSeconds));
        const double gain = output - level;
        if (std::isnan(quietestGain)) quietestGain = gain;
        curve.push_back({static_cast<double>(level), output, quietestGain - gain});
    }
    return curve;
}

StepResponse measureStepResponse(const ProbeFactory& make, double rate) {
    constexpr double kLow = -30.0, kHigh = -10.0;
    constexpr double kSettleSeconds = 2.0, kHighSeconds = 1.0, kLowSeconds = 5.0;
    constexpr int kPeriod = 48;  // samples: the tone's period, the level's window
    constexpr int kHop = kPeriod / 4;
    const double hertz = rate / kPeriod;
    const auto probe = make(rate);
    probe->setStage("the step response");
    probe->playSine(amplitudeOf(kLow), hertz, kSettleSeconds);
    std::vector<double> input, output;
    // The last of the settled stretch, for the gain before the step.
    const std::vector<double> beforeOut = probe->playSine(amplitudeOf(kLow), hertz, 0.1);
    const std::vector<double> beforeIn = probe->lastInput();
    const double settledGain = sineDbfs(beforeOut) - sineDbfs(beforeIn);
    for (const auto& [dbfs, seconds] : {std::pair{kHigh, kHighSeconds}, std::pair{kLow, kLowSeconds}}) {
        const std::vector<double> out = probe->playSine(amplitudeOf(dbfs), hertz, seconds);
        input.insert(input.end(), probe->lastInput().begin(), probe->lastInput().end());
        output.insert(output.end(), out.begin(), out.end());
    }

    StepResponse step;
    step.lowDbfs = kLow;
    step.highDbfs = kHigh;
    step.stepDownMs = 1000.0 * kHighSeconds;
    // The output answers each input window a latency later.
    const std::size_t latency = static_cast<std::size_t>(std::max(probe->reportedLatency(), 0));
    std::vector<double> timeMs, reduction;
    for (std::size_t at = 0; at + kPeriod + latency <= output.size(); at += kHop) {
        const double gain = sineDbfs(output, at + latency, kPeriod) - sineDbfs(input, at, kPeriod);
        timeMs.push_back(1000.0 * (static_cast<double>(at) + kPeriod / 2.0) / rate);
        reduction.push_back(settledGain - gain);
    }
    const double top = meanOver(timeMs, reduction, step.stepDownMs - 50.0, step.stepDownMs);
    const double end = meanOver(timeMs, reduction, timeMs.back() - 50.0, timeMs.back() + 1.0);
    if (std::fabs(top) >= 0.1) {
        // Times of the windows' centres, from the step; those straddling it are left out.
        const double first = 1000.0 * (kPeriod / 2.0) / rate;
        const double down = step.stepDownMs, last = timeMs.back() + 1.0;
        const auto after = [&](double fromMs, double toMs, auto reached) {
            return timeToReach(timeMs, reduction, fromMs + first, toMs, reached) + first;
        };
        step.attack63Ms = after(0.0, down, [&](double r) { return r >= 0.63 * top; });
        step.attack90Ms = after(0.0, down, [&](double r) { return r >= 0.9 * top; });
        step.release63Ms = after(down, last, [&](double r) { return r <= top - 0.63 * (top - end); });
        step.release90Ms = after(down, last, [&](double r) { return r <= top - 0.9 * (top - end); });
    } else {
        step.attack63Ms = step.attack90Ms = step.release63Ms = step.release90Ms = NAN;
    }
    // Kept at a point per period for 100 ms after each step, at one per ten periods later.
    for (std::size_t i = 0, period = 0; i < timeMs.size(); i += kPeriod / kHop, ++period) {
        const double since = timeMs[i] >= step.stepDownMs ? timeMs[i] - step.stepDownMs : timeMs[i];
        if (since > 100.0 && period % 10 != 0) continue;
        step.timeMs.push_back(timeMs[i]);
        step.gainReductionDb.push_back(reduction[i]);
    }
    return step;
}

}  // namespace measure
