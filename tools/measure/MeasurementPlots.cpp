#include "tools/measure/MeasurementPlots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/measure/Measure.h"
#include "tools/measure/Plot.h"

namespace measure {

namespace {

using Points = std::vector<std::pair<double, double>>;

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string milliseconds(double value) { return std::isfinite(value) ? format("%.1f ms", value) : "not reached"; }

// "63 % in 4.8 ms, 90 % in 7.0 ms"
std::string times(double to63, double to90) {
    return std::string("63 % in ").append(milliseconds(to63)).append(", 90 % in ").append(milliseconds(to90));
}

// A span for a time axis: three times the slowest time, within [shortest, longest].
double spanFor(const std::vector<double>& times, double shortest, double longest) {
    double slowest = 0.0;
    for (const double t : times)
        if (std::isfinite(t)) slowest = std::max(slowest, t);
    if (slowest == 0.0) return longest;
    for (const double span : {50.0, 100.0, 250.0, 500.0, 1000.0, 2000.0, 5000.0})
        if (span >= 3.0 * slowest) return std::clamp(span, shortest, longest);
    return longest;
}

// "A, B and C" for the title.
std::string names(const std::vector<PluginMeasurements>& results) {
    std::string text;
    for (std::size_t i = 0; i < results.size(); ++i)
        text += (i == 0 ? "" : i + 1 == results.size() ? " and " : ", ") + results[i].label;
    return text;
}

Figure figure(const std::string& what, const std::vector<PluginMeasurements>& results, const std::string& how) {
    return {what + ": " + names(results), how, {}};
}

Figure staticCurve(const std::vector<PluginMeasurements>& results) {
    Figure f = figure("Static curve", results, format("1 kHz sine, each level after 1 s of settling, at %.0f Hz", results.front().rate));
    Panel curve(linearAxis("Input level (dBFS)"), linearAxis("Output level (dBFS)"));
    curve.diagonalFrom = -60.0;
    Panel reduction(linearAxis("Input level (dBFS)"), linearAxis("Gain reduction (dB, against the gain at -60 dBFS)"));
    for (std::size_t i = 0; i < results.size(); ++i) {
        Points out, gr;
        for (const CurvePoint& p : results[i].staticCurve) {
            out.emplace_back(p.inputDbfs, p.outputDbfs);
            gr.emplace_back(p.inputDbfs, p.gainReductionDb);
        }
        curve.series.push_back({results[i].label, out, static_cast<int>(i)});
        reduction.series.push_back({results[i].label, gr, static_cast<int>(i)});
    }
    f.panels = {curve, reduction};
    return f;
}

Figure stepResponse(const std::vector<PluginMeasurements>& results) {
    const StepResponse& first = results.front().step;
    Figure f = figure("Attack and release", results,
                      format("1 kHz sine stepped from %.0f dBFS", first.lowDbfs) +
                          format(" to %.0f dBFS and back; times to 63 %% and 90 %% of the change", first.highDbfs));
    std::vector<double> attacks, releases;
    for (const PluginMeasurements& r : results) {
        attacks.push_back(r.step.attack90Ms);
        releases.push_back(r.step.release90Ms);
    }
    const double attackSpan = spanFor(attacks, 50.0, first.stepDownMs);
    const double releaseSpan = spanFor(releases, 250.0, 5000.0);
    Panel attack(linearAxis("Time after the step up (ms)", 0.0, attackSpan), linearAxis("Gain reduction (dB)"));
    Panel release(linearAxis("Time after the step down (ms)", 0.0, releaseSpan), linearAxis("Gain reduction (dB)"));
    for (std::size_t i = 0; i < results.size(); ++i) {
        const StepResponse& s = results[i].step;
        Points up, down;
        for (std::size_t k = 0; k < s.timeMs.size(); ++k) {
            if (s.timeMs[k] <= attackSpan) up.emplace_back(s.timeMs[k], s.gainReductionDb[k]);
            if (s.timeMs[k] >= s.stepDownMs && s.timeMs[k] <= s.stepDownMs + releaseSpan)
                down.emplace_back(s.timeMs[k] - s.stepDownMs, s.gainReductionDb[k]);
        }
        attack.series.push_back({results[i].label + ": " + times(s.attack63Ms, s.attack90Ms), up, static_cast<int>(i)});
        release.series.push_back({results[i].label + ": " + times(s.release63Ms, s.release90Ms), down, static_cast<int>(i)});
    }
    f.panels = {attack, release};
    return f;
}

Figure frequencyResponse(const std::vector<PluginMeasurements>& results) {
    Figure f = figure("Frequency response", results,
                      format("stepped sines at %.0f dBFS (solid) and ", kLowLevelDbfs) +
                          format("%.0f dBFS (dashed); phase without the reported latency", kCompressingLevelDbfs));
    Panel magnitude(logarithmicAxis("Frequency (Hz)", 20.0, 20000.0), linearAxis("Gain (dB)"));
    Panel phase(logarithmicAxis("Frequency (Hz)", 20.0, 20000.0), linearAxis("Phase (degrees)"));
    for (std::size_t i = 0; i < results.size(); ++i)
        for (const FrequencyResponse& r : results[i].responses) {
            Points gain, angle;
            for (const ResponsePoint& p : r.points) {
                gain.emplace_back(p.hertz, p.magnitudeDb);
                angle.emplace_back(p.hertz, p.phaseDegrees);
            }
            const LineStyle style = r.levelDbfs < kCompressingLevelDbfs ? LineStyle::solid : LineStyle::dashed;
            const std::string name = results[i].label + ", " + r.condition;
            magnitude.series.push_back({name, gain, static_cast<int>(i), style});
            phase.series.push_back({name, angle, static_cast<int>(i), style});
        }
    f.panels = {magnitude, phase};
    return f;
}

Figure detectorResponse(const std::vector<PluginMeasurements>& results) {
    Figure f = figure("Level detector", results,
                      format("gain reduction of a %.0f dBFS sine against its frequency", kCompressingLevelDbfs));
    Panel panel(logarithmicAxis("Frequency (Hz)", 20.0, 20000.0), linearAxis("Gain reduction (dB)"));
    int colour = 0;
    for (const PluginMeasurements& r : results)
        for (const DetectorResponse& d : r.detector)
            panel.series.push_back({r.label + ", " + d.setting, d.hertzAndGainReductionDb, colour++});
    f.panels = {panel};
    return f;
}

Axis levelOrFrequency(bool byLevel) {
    return byLevel ? linearAxis("Input level (dBFS)") : logarithmicAxis("Frequency (Hz)", 20.0, 2000.0);
}

// THD (solid), its odd (dashed) and even (dotted) parts.
Panel distortionPanel(const std::vector<PluginMeasurements>& results, bool byLevel) {
    Panel panel(levelOrFrequency(byLevel), logarithmicAxis("Harmonic distortion (%)"));
    for (std::size_t i = 0; i < results.size(); ++i) {
        Points total, odd, even;
        for (const DistortionPoint& p : byLevel ? results[i].distortionByLevel : results[i].distortionByFrequency) {
            total.emplace_back(p.at, p.thdPercent);
            odd.emplace_back(p.at, p.oddPercent);
            even.emplace_back(p.at, p.evenPercent);
        }
        const int colour = static_cast<int>(i);
        panel.series.push_back({results[i].label + ", THD", total, colour, LineStyle::solid});
        panel.series.push_back({results[i].label + ", odd", odd, colour, LineStyle::dashed});
        panel.series.push_back({results[i].label + ", even", even, colour, LineStyle::dotted});
    }
    return panel;
}

// Harmonics 2 to 10 of each plug-in, a panel each.
std::vector<Panel> harmonicPanels(const std::vector<PluginMeasurements>& results, bool byLevel) {
    std::vector<Panel> panels;
    for (const PluginMeasurements& r : results) {
        Panel panel(levelOrFrequency(byLevel), linearAxis("Harmonic against the fundamental (dBc)", -140.0, 0.0),
                    r.label);
        for (int h = 2; h <= 10; ++h) {
            Points points;
            for (const DistortionPoint& p : byLevel ? r.distortionByLevel : r.distortionByFrequency)
                points.emplace_back(p.at, std::max(p.harmonicsDbc[static_cast<std::size_t>(h)], -140.0));
            panel.series.push_back({std::string("H").append(std::to_string(h)), points, h - 2,
                                    h % 2 ? LineStyle::dashed : LineStyle::solid});
        }
        panels.push_back(panel);
    }
    return panels;
}

Figure distortion(const std::vector<PluginMeasurements>& results, bool byLevel) {
    const PluginMeasurements& first = results.front();
    Figure f = figure("Harmonic distortion", results,
                      byLevel ? format("%.0f Hz sine against its level", first.distortionFrequency)
                              : format("%.0f dBFS sine against its frequency", first.distortionLevelDbfs));
    f.panels = {distortionPanel(results, byLevel)};
    return f;
}

Figure harmonics(const std::vector<PluginMeasurements>& results, bool byLevel) {
    const PluginMeasurements& first = results.front();
    Figure f = figure("Harmonics 2 to 10", results,
                      (byLevel ? format("%.0f Hz sine against its level", first.distortionFrequency)
                               : format("%.0f dBFS sine against its frequency", first.distortionLevelDbfs)) +
                          "; even solid, odd dashed");
    f.panels = harmonicPanels(results, byLevel);
    return f;
}

Figure aliasing(const std::vector<PluginMeasurements>& results) {
    Figure f = figure("Aliasing", results,
                      "strongest partial of a -10 dBFS sine at neither its frequency nor a harmonic's; "
                      "44.1 kHz solid, 96 kHz dashed; -160 dBc and below drawn at -160");
    // Below the floor lies the rounding of single precision, or nothing at all where the
    // sine's period is a whole number of samples.
    constexpr double kFloorDbc = -160.0;
    Panel panel(linearAxis("Frequency of the sine (Hz)", 4000.0, 19000.0),
                linearAxis("Strongest other partial (dBc)", kFloorDbc, 0.0));
    for (std::size_t i = 0; i < results.size(); ++i)
        for (const Aliasing& a : results[i].aliasing) {
            Points points;
            for (const AliasingPoint& p : a.points) points.emplace_back(p.hertz, std::max(p.worstDbc, kFloorDbc));
            panel.series.push_back({results[i].label + format(" at %g kHz", a.rate / 1000.0), points, static_cast<int>(i),
                                    a.rate < 50000.0 ? LineStyle::solid : LineStyle::dashed});
        }
    f.panels = {panel};
    return f;
}

}  // namespace

std::vector<std::string> writePlots(const std::string& folder, const std::vector<PluginMeasurements>& results) {
    const std::vector<std::pair<std::string, Figure>> figures{
        {"static_curve.png", staticCurve(results)},
        {"attack_release.png", stepResponse(results)},
        {"frequency_response.png", frequencyResponse(results)},
        {"detector_response.png", detectorResponse(results)},
        {"distortion_by_level.png", distortion(results, true)},
        {"distortion_by_frequency.png", distortion(results, false)},
        {"harmonics_by_level.png", harmonics(results, true)},
        {"harmonics_by_frequency.png", harmonics(results, false)},
        {"aliasing.png", aliasing(results)},
    };
    std::vector<std::string> written;
    for (const auto& [name, f] : figures) {
        writeFigure(f, folder + "/" + name);
        written.push_back(name);
    }
    return written;
}

}  // namespace measure
