// The two-triode circuit at 192 kHz: a discretised linear network with seven state
// variables, driven by the signal u and the 270 V supply, whose two triodes draw the
// currents of the tube tables at predicted node voltages. One step per internal sample.
//
// BasicTubeCircuit<float> (TubeCircuit) runs one channel; BasicTubeCircuit<Float4> runs
// left and right in lanes 0 and 1 with bit-identical arithmetic.
#pragma once

#include <cstddef>

#include "dsp/Float4.h"
#include "dsp/TubeTables.h"

namespace dsp {

namespace circuit {

inline constexpr float kSupplyVoltage = 270.0f;

// Columns of every row below: x0..x6, u, V, i0, i1, i2, i3.
inline constexpr int kColumns = 13;
enum Column { kU = 7, kV = 8, kI0 = 9 };

// New state from old state, inputs and the new currents.
inline constexpr float kStateUpdate[7][kColumns] = {
    {-0.839118302f, 0.0f, 0.00273625972f, 1.38552477e-05f, 1.58321855e-05f, 9.27238318e-07f, 0.0f,
     -1.69493137e-06f, 1.58852311e-06f,
     0.115255333f, -0.0456263833f, -0.0455670953f, -0.042890124f},
    {0.0f, 0.999861121f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
     0.0f, 0.0f,
     1.99986112f, 1.99986112f, 0.0f, 0.0f},
    {1.71016228f, 0.0f, 0.974325299f, 0.000551865844f, 0.000630608876f, 3.6932659e-05f, 0.0f,
     1.57608554e-06f, -5.81441509e-06f,
     -0.107173815f, -1.81733608f, -1.81497455f, 0.156989202f},
    {0.115460396f, 0.0f, 0.00735821109f, 0.999429941f, -0.000651417475f, -3.81513491e-05f, 0.0f,
     1.06408301e-07f, 4.27177611e-06f,
     -0.00723576453f, -0.122696161f, 1.87486434f, -0.115337953f},
    {0.0659674406f, 0.0f, 0.00420405949f, -0.000325708737f, 0.999330223f, 1.43168654e-06f, 0.0f,
     6.07955926e-08f, 2.44064745e-06f,
     -0.0041341004f, -0.0701015443f, -0.0703570992f, -0.0658974871f},
    {0.000193174652f, 0.0f, 1.23108857e-05f, -9.53783683e-07f, 7.15843314e-08f, 0.959342837f, 0.0f,
     1.78029758e-10f, 7.14702919e-09f,
     -1.2106023e-05f, -0.000205280667f, 0.00759234279f, -0.000192969776f},
    {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.999861121f,
     0.0f, 0.0f,
     0.0f, 0.0f, 1.99986112f, 1.99986112f},
};

// Predicted voltages p0..p3 (from the old state and the previous currents) and the output
// voltage (from the new state and the new currents). A current's term is subtracted in
// the original form "- c * i"; adding (-c) * i gives the same float.
inline constexpr float kVoltages[5][kColumns] = {
    {-62530.0234f, -0.10415943f, 93.0328293f, 0.471078426f, 0.538294315f, 0.0315261036f, 0.0f,
     0.942372322f, 0.054009784f,
     0.0f, 0.0f, 0.0f, 0.0f},
    {24753.8965f, -0.10415943f, 1577.54871f, 7.98803139f, 9.12780476f, 0.534585059f, 0.0f,
     0.0228131916f, 0.915838718f,
     0.0f, 0.0f, -26271.0117f, -24727.6465f},
    {24721.7305f, 0.0f, 1575.49878f, -122.061478f, 9.16108036f, -19.7717247f, -0.10415943f,
     0.0227835476f, 0.914648652f,
     0.0f, -26271.0117f, 0.0f, 0.0f},
    {23269.3809f, 0.0f, -136.27536f, 7.50898123f, 8.58040142f, 0.502525449f, -0.10415943f,
     0.021445062f, 0.92088598f,
     0.0f, -24727.6465f, 0.0f, 0.0f},
    {23269.3809f, 0.0f, -136.27536f, 7.50898123f, 8.58040142f, 0.502525449f, 0.0f,
     0.021445062f, 0.92088598f,
     -1458.26416f, -24727.6465f, -24695.5137f, -39863.9219f},
};
inline constexpr int kOutputRow = 4;

// Left-to-right sum of coefficient * value over the row's non-zero coefficients, starting
// with the first such product. A zero coefficient adds an exact zero, so skipping it
// changes no finite result.
template <const auto& kMatrix, int kRow, int kColumn, class Sample>
inline Sample accumulateRow(Sample sum, const Sample* values) {
    if constexpr (kColumn == kColumns) {
        return sum;
    } else if constexpr (kMatrix[kRow][kColumn] == 0.0f) {
        return accumulateRow<kMatrix, kRow, kColumn + 1>(sum, values);
    } else {
        constexpr Sample kCoefficient = constant<Sample>(kMatrix[kRow][kColumn]);
        return accumulateRow<kMatrix, kRow, kColumn + 1>(sum + kCoefficient * values[kColumn],
                                                         values);
    }
}
template <const auto& kMatrix, int kRow, int kColumn = 0, class Sample>
inline Sample rowSum(const Sample* values) {
    if constexpr (kMatrix[kRow][kColumn] == 0.0f) {
        return rowSum<kMatrix, kRow, kColumn + 1>(values);
    } else {
        constexpr Sample kCoefficient = constant<Sample>(kMatrix[kRow][kColumn]);
        return accumulateRow<kMatrix, kRow, kColumn + 1>(kCoefficient * values[kColumn], values);
    }
}

// Where the first triode's grid voltage leaves its table (p0 > 20 V), both currents grow
// linearly with these slopes.
inline constexpr float kFirstGridLimit = 20.0f;
inline constexpr float kI0Slope = 0.0000143245574543015f;
inline constexpr float kI1Slope = 0.0000475537924389167f;

}  // namespace circuit

template <class Sample>
class BasicTubeCircuit {
public:
    static constexpr int kStates = 7;
    static constexpr int kCurrents = 4;

    void reset() { *this = BasicTubeCircuit{}; }

    // One 192 kHz step with drive u; returns the output voltage vOut.
    Sample step(Sample u, const TubeTables& tables) {
        using namespace circuit;
        Sample values[kColumns];
        for (int s = 0; s < kStates; ++s) values[s] = state[s];
        values[kU] = u;
        values[kV] = constant<Sample>(kSupplyVoltage);
        for (int c = 0; c < kCurrents; ++c) values[kI0 + c] = currents[c];

        const Sample p0 = rowSum<kVoltages, 0>(values);
        const Sample p1 = rowSum<kVoltages, 1>(values);
        const Sample p2 = rowSum<kVoltages, 2>(values);
        const Sample p3 = rowSum<kVoltages, 3>(values);

        Sample i0, i1, i2, i3;
        const auto c = [](float value) { return constant<Sample>(value); };
        tables.readTriode(TubeTables::kFamilyA, clamp01((p0 + c(4.0f)) * c(0.041666668f)),
                          clamp01((p1 - c(50.0f)) * c(0.006666667f)), i0, i1);
        const Sample overdrive = p0 - c(kFirstGridLimit);
        const auto overdriven = p0 > c(kFirstGridLimit);
        i0 = select(overdriven, i0 + overdrive * c(kI0Slope), i0);
        i1 = select(overdriven, i1 + overdrive * c(kI1Slope), i1);
        tables.readTriode(TubeTables::kFamilyC, clamp01((p2 - c(5.0f)) * c(0.025f)),
                          clamp01((p3 - c(100.0f)) * c(0.005f)), i2, i3);
        currents[0] = values[kI0] = i0;
        currents[1] = values[kI0 + 1] = i1;
        currents[2] = values[kI0 + 2] = i2;
        currents[3] = values[kI0 + 3] = i3;

        Sample next[kStates];
        next[0] = rowSum<kStateUpdate, 0>(values);
        next[1] = rowSum<kStateUpdate, 1>(values);
        next[2] = rowSum<kStateUpdate, 2>(values);
        next[3] = rowSum<kStateUpdate, 3>(values);
        next[4] = rowSum<kStateUpdate, 4>(values);
        next[5] = rowSum<kStateUpdate, 5>(values);
        next[6] = rowSum<kStateUpdate, 6>(values);
        for (int s = 0; s < kStates; ++s) state[s] = values[s] = next[s];
        return rowSum<kVoltages, kOutputRow>(values);
    }

    Sample state[kStates]{};       // x0..x6
    Sample currents[kCurrents]{};  // i0, i1 (first triode), i2, i3 (second)
};

using TubeCircuit = BasicTubeCircuit<float>;
using StereoTubeCircuit = BasicTubeCircuit<Float4>;

}  // namespace dsp
