#include "editor/AutoGain.h"

#include <algorithm>
#include <cmath>

#include "effect/Parameters.h"

namespace {

// Time counts only while the input carries signal above -40 dB.
constexpr float kSignalFloor = 0.01f;
constexpr int32_t kWindowMs = 300;
constexpr int32_t kLastWindow = 4;

}  // namespace

double AutoGain::targetFor(float peakIn, float peakOut) {
    float ratio = peakIn / (peakOut > kSignalFloor ? peakOut : kSignalFloor);
    if (!(ratio < 1000.0f)) ratio = 1000.0f;
    if (!(ratio > 0.001f)) ratio = 0.001f;
    return std::clamp(parameter::outputVolumeForDb(20.0 * std::log10(static_cast<double>(ratio))), 0.0, 1.0);
}

void AutoGain::tick(EditorEffect& effect) {
    if (autoGainRefreshRequested) {
        // A request during a run or a ramp abandons it and starts over.
        autoGainMeasuring = true;
        autoGainHistoryStarted = false;
        autoGainRamping = false;
        autoGainHistoryIndex = 0;
        autoGainMeasureMs = 0;
        autoGainPeakIn = 0.0f;
        autoGainPeakOut = 0.0f;
        autoGainRefreshRequested = false;
    }
    if (autoGainMeasuring) measure(effect);
    if (autoGainRamping) ramp(effect);
}

void AutoGain::measure(EditorEffect& effect) {
    if (autoGainPeakIn > kSignalFloor) autoGainMeasureMs += static_cast<int32_t>(kTickMs);
    autoGainPeakIn = std::max(autoGainPeakIn, effect.getInputLevel());
    autoGainPeakOut = std::max(autoGainPeakOut, effect.getOutputLevel());
    if (autoGainMeasureMs >= kWindowMs) closeWindow(effect);
}

void AutoGain::closeWindow(EditorEffect& effect) {
    if (!autoGainHistoryStarted) {
        autoGainHistoryIndex = 0;
        autoGainHistoryStarted = true;
    } else {
        ++autoGainHistoryIndex;
    }
    autoGainCurrent = effect.getParameter(parameter::kVolume);
    autoGainHistory[autoGainHistoryIndex] = targetFor(autoGainPeakIn, autoGainPeakOut);
    double sum = 0.0;
    for (int32_t i = 0; i <= autoGainHistoryIndex; ++i) sum += autoGainHistory[i];
    autoGainTarget = sum / (autoGainHistoryIndex + 1);
    autoGainStep = (autoGainTarget - autoGainCurrent) * 0.1;
    autoGainRampUp = autoGainStep > 0.0;
    autoGainRamping = true;
    autoGainMeasureMs = 0;
    autoGainPeakIn = 0.0f;
    autoGainPeakOut = 0.0f;
    if (autoGainHistoryIndex >= kLastWindow) {
        autoGainHistoryStarted = false;
        autoGainMeasuring = false;
    }
}

void AutoGain::ramp(EditorEffect& effect) {
    double x = autoGainCurrent + autoGainStep;
    if (autoGainRampUp ? x >= autoGainTarget : x <= autoGainTarget) x = autoGainTarget;
    autoGainCurrent = x;
    effect.setParameterAutomated(parameter::kVolume, static_cast<float>(x));
    if (x == autoGainTarget) autoGainRamping = false;
}
