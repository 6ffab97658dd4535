// What `measure` finds out about one plug-in, measurement by measurement. Times are in
// milliseconds, levels in dBFS as AES17 counts them (a full-scale sine is 0), ratios in dB;
// a time that was never reached is NaN.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace measure {

// The static curve: a 1 kHz sine at each level after settling. The gain reduction is the
// loss of gain against the gain at the quietest level.
struct CurvePoint {
    double inputDbfs, outputDbfs, gainReductionDb;
};

// A step of the input by +20 dB and back: the gain reduction over time (from the step up),
// and how long it took to move 63 % and 90 % of the way, each way.
struct StepResponse {
    double lowDbfs = 0.0, highDbfs = 0.0;
    double stepDownMs = 0.0;  // when the level fell back
    std::vector<double> timeMs, gainReductionDb;
    double attack63Ms = 0.0, attack90Ms = 0.0, release63Ms = 0.0, release90Ms = 0.0;
};

// Magnitude and phase (the reported latency taken out; the first within +-180 degrees,
// the others unwrapped from it) of the output against the input.
struct ResponsePoint {
    double hertz, magnitudeDb, phaseDegrees;
};
struct FrequencyResponse {
    std::string condition;  // "low level" or "compressing"
    double levelDbfs = 0.0;
    std::vector<ResponsePoint> points;
};

// The gain reduction against frequency at a compressing level: how the level detector
// hears each frequency, for one setting of its filter.
struct DetectorResponse {
    std::string setting;
    std::vector<std::pair<double, double>> hertzAndGainReductionDb;
};

// Harmonic distortion of a sine, against its level or its frequency (`at`).
struct DistortionPoint {
    double at;
    double fundamentalDbfs;  // the output's fundamental, peak
    double thdPercent, oddPercent, evenPercent;
    std::array<double, 11> harmonicsDbc;  // 2 to 10 against the fundamental; 0 and 1 unused
};

// Partials of a high sine at neither its frequency nor its harmonics' (what the plug-in
// folded back from above half the rate), against the fundamental.
struct AliasingPoint {
    double hertz, worstDbc, totalDbc;
};
struct Aliasing {
    double rate = 0.0;
    std::vector<AliasingPoint> points;
};

struct PluginMeasurements {
    std::string label;  // name and settings
    std::string path;
    double rate = 0.0;
    std::vector<CurvePoint> staticCurve;
    StepResponse step;
    std::vector<FrequencyResponse> responses;
    std::vector<DetectorResponse> detector;
    std::vector<DistortionPoint> distortionByLevel, distortionByFrequency;
    double distortionFrequency = 0.0, distortionLevelDbfs = 0.0;
    std::vector<Aliasing> aliasing;
    int reportedLatency = 0;
    int measuredLatency = 0;  // where the response to an impulse peaks
    double nanosecondsPerSample = 0.0, realTimeFactor = 0.0;
};

}  // namespace measure
