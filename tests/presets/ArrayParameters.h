// Parameters held in an array, every setParameterAutomated call recorded: the effect's
// side of the presets where only the values matter. The real effect is used where its
// conversation with the host is what is tested.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "presets/PresetParameters.h"
#include "presets/PresetState.h"

class ArrayParameters final : public PresetParameters {
public:
    float getParameter(int index) override { return values.at(index); }
    void setParameterAutomated(int index, float value) override {
        values.at(index) = value;
        automated.emplace_back(index, value);
    }

    std::array<float, 24> values{};
    std::vector<std::pair<int, float>> automated;
};

// Slots 0 to 10 of what the last scan found.
inline std::vector<float> scannedValues(const PresetState& state) {
    return {state.presetValues().begin(), state.presetValues().begin() + kPresetParameterCount};
}

// Builds the text of `values` (parameters 0 to 10) and returns it.
inline std::string presetTextOf(const std::vector<float>& values) {
    ArrayParameters parameters;
    std::copy(values.begin(), values.end(), parameters.values.begin());
    PresetState state;
    std::array<char, kPresetTextBytes> buffer;
    state.buildPresetText(parameters, buffer);
    return buffer.data();
}
