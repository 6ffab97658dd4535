// Shared helpers of the signal-path tests: coefficient sets made here (the real tube data
// is generated elsewhere), default parameters, rendering and level measurement.
#pragma once

#include <memory>
#include <vector>

#include "dsp/SignalPath.h"
#include "dsp/TubeTableData.h"
#include "dsp/TubeTables.h"

namespace dsptest {

// Every slice a square law in the grid coordinate, 0 at g = 0 and its scale at g = 1,
// with the final scale factors.
dsp::TubeTableCoefficients squareLawCoefficients();
// Tables built from them, once per test program.
std::shared_ptr<const dsp::TubeTables> squareLawTables();

// The parameter defaults of the one program.
dsp::ParameterSnapshot defaultParameters();

std::unique_ptr<dsp::SignalPath> makeSignalPath(float sampleRate = 44100.0f);

struct Stereo {
    std::vector<float> left, right;
};

std::vector<float> sine(int frames, double frequency, double sampleRate, double amplitude,
                        double phase = 0.0);

// Processes the signal in blocks of blockSize frames (the last may be shorter).
Stereo render(dsp::SignalPath& path, const Stereo& input, const dsp::ParameterSnapshot& parameters,
              int blockSize = 512);

double rmsDb(const std::vector<float>& signal, int from, int to);

// Fits a * sin + b * cos at the given frequency over [from, to) by least squares;
// returns the level of the fit in dB (RMS) and, in residualDb, that of what is left.
double sineFitDb(const std::vector<float>& signal, int from, int to, double frequency,
                 double sampleRate, double* residualDb = nullptr);

}  // namespace dsptest
