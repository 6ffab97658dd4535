// The measurements, each on fresh instances of one plug-in made by a ProbeFactory.
#pragma once

#include <string>
#include <vector>

#include "tools/measure/Measurements.h"
#include "tools/measure/Probe.h"

namespace measure {

// The frequencies of the swept measurements: 20 Hz to 20 kHz in about third octaves, each a
// whole multiple of 10 Hz so that a tenth of a second holds whole periods of it.
std::vector<double> sweepFrequencies(double rate, double highest);

std::vector<CurvePoint> measureStaticCurve(const ProbeFactory& make, double rate);
StepResponse measureStepResponse(const ProbeFactory& make, double rate);
FrequencyResponse measureFrequencyResponse(const ProbeFactory& make, double rate, const std::string& condition,
                                           double levelDbfs);
// From the responses at a low and at a compressing level.
DetectorResponse detectorResponse(const std::string& setting, const FrequencyResponse& low,
                                  const FrequencyResponse& compressing);
std::vector<DistortionPoint> measureDistortionByLevel(const ProbeFactory& make, double rate, double hertz);
std::vector<DistortionPoint> measureDistortionByFrequency(const ProbeFactory& make, double rate, double levelDbfs);
Aliasing measureAliasing(const ProbeFactory& make, double rate);
// Where the response to an impulse peaks, in samples.
int measureLatency(const ProbeFactory& make, double rate);

// The levels, in dBFS, of the measurements that need a quiet and a compressing one.
inline constexpr double kLowLevelDbfs = -40.0;
inline constexpr double kCompressingLevelDbfs = -10.0;

}  // namespace measure
