// Parameters held in an array, every setParameterAutomated call recorded: the effect's
// side of the presets where only the values matter. The real effect is used where its
// conversation with the host is what is tested.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "presets/PresetParameters.h"

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
