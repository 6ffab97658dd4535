// Automatic output gain: measures the input and output peaks over five windows of at
// least 300 ms of signal, and after each window glides the output volume in ten steps
// towards the mean of the targets found so far, so the output level matches the input.
// It advances only on the editor's 60 ms tick.
#pragma once

#include <cstdint>

#include "editor/EditorEffect.h"

class AutoGain {
public:
    static constexpr uint32_t kTickMs = 60;

    // One 60 ms tick: starts a requested run, measures, and moves the output volume
    // (parameter 1) through the effect.
    void tick(EditorEffect& effect);

    // The normalised output volume whose dB read-out equals the level ratio in dB.
    static double targetFor(float peakIn, float peakOut);

    bool autoGainRefreshRequested = false;
    bool autoGainMeasuring = false;
    int32_t autoGainMeasureMs = 0;
    float autoGainPeakIn = 0.0f;
    float autoGainPeakOut = 0.0f;
    // Ten slots as the design has them; a run fills the first five.
    double autoGainHistory[10] = {};
    int32_t autoGainHistoryIndex = 0;
    bool autoGainHistoryStarted = false;
    bool autoGainRamping = false;
    bool autoGainRampUp = false;
    double autoGainStep = 0.0;
    double autoGainTarget = 0.0;
    double autoGainCurrent = 0.0;

private:
    void measure(EditorEffect& effect);
    void closeWindow(EditorEffect& effect);
    void ramp(EditorEffect& effect);
};
