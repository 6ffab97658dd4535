// The two-triode circuit at 192 kHz: a discretised linear network with seven state
// variables, driven by the signal u and the 270 V supply, whose two triodes draw the
// currents of the tube tables at predicted node voltages. One step per internal sample.
//
// TubeCircuit runs one channel, as the equations read. StereoTubeCircuit runs left and
// right at once, two matrix rows per register, and gives the same floats in each channel.
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

// Two rows at once: lanes (row A left, right, row B left, right) over values given as
// (left, right, left, right). A column enters where either row has a non-zero
// coefficient; the other row then adds an exact zero. kNoRow stands for a row of zeros.
inline constexpr int kNoRow = -1;
template <const auto& kMatrix, int kRow>
constexpr float coefficientOf(int column) {
    if constexpr (kRow == kNoRow) return 0.0f;
    else return kMatrix[kRow][column];
}
template <const auto& kMatrix, int kRowA, int kRowB, int kColumn>
constexpr bool pairUses() {
    return coefficientOf<kMatrix, kRowA>(kColumn) != 0.0f ||
           coefficientOf<kMatrix, kRowB>(kColumn) != 0.0f;
}
template <const auto& kMatrix, int kRowA, int kRowB, int kColumn>
constexpr Float4 pairCoefficient() {
    constexpr float a = coefficientOf<kMatrix, kRowA>(kColumn);
    constexpr float b = coefficientOf<kMatrix, kRowB>(kColumn);
    return Float4{a, a, b, b};
}
template <const auto& kMatrix, int kRowA, int kRowB, int kColumn>
inline Float4 accumulatePair(Float4 sum, const Float4* values) {
    if constexpr (kColumn == kColumns) {
        return sum;
    } else if constexpr (!pairUses<kMatrix, kRowA, kRowB, kColumn>()) {
        return accumulatePair<kMatrix, kRowA, kRowB, kColumn + 1>(sum, values);
    } else {
        constexpr Float4 kCoefficient = pairCoefficient<kMatrix, kRowA, kRowB, kColumn>();
        return accumulatePair<kMatrix, kRowA, kRowB, kColumn + 1>(sum + kCoefficient * values[kColumn],
                                                                 values);
    }
}
template <const auto& kMatrix, int kRowA, int kRowB, int kColumn = 0>
inline Float4 pairSum(const Float4* values) {
    if constexpr (!pairUses<kMatrix, kRowA, kRowB, kColumn>()) {
        return pairSum<kMatrix, kRowA, kRowB, kColumn + 1>(values);
    } else {
        constexpr Float4 kCoefficient = pairCoefficient<kMatrix, kRowA, kRowB, kColumn>();
        return accumulatePair<kMatrix, kRowA, kRowB, kColumn + 1>(kCoefficient * values[kColumn],
                                                                 values);
    }
}

// Where the first triode's grid voltage leaves its table (p0 > 20 V), both currents grow
// linearly with these slopes.
inline constexpr float kFirstGridLimit = 20.0f;
inline constexpr float kI0Slope = 0.0000143245574543015f;
inline constexpr float kI1Slope = 0.0000475537924389167f;

}  // namespace circuit

class TubeCircuit {
public:
    static constexpr int kStates = 7;
    static constexpr int kCurrents = 4;

    void reset() { *this = TubeCircuit{}; }
    bool isFinite() const { return allFinite(state) && allFinite(currents); }

    // One 192 kHz step with drive u; returns the output voltage vOut.
    float step(float u, const TubeTables& tables) {
        using namespace circuit;
        float values[kColumns];
        for (int s = 0; s < kStates; ++s) values[s] = state[s];
        values[kU] = u;
        values[kV] = kSupplyVoltage;
        for (int c = 0; c < kCurrents; ++c) values[kI0 + c] = currents[c];

        const float p0 = rowSum<kVoltages, 0>(values);
        const float p1 = rowSum<kVoltages, 1>(values);
        const float p2 = rowSum<kVoltages, 2>(values);
        const float p3 = rowSum<kVoltages, 3>(values);

        const float g1 = clamp01((p0 + 4.0f) * 0.041666668f);
        const float a1 = clamp01((p1 - 50.0f) * 0.006666667f);
        float i0 = tables.read(TubeTables::kFamilyA, g1, a1);
        float i1 = tables.read(TubeTables::kFamilyB, g1, a1);
        if (p0 > kFirstGridLimit) {
            i0 = i0 + (p0 - kFirstGridLimit) * kI0Slope;
            i1 = i1 + (p0 - kFirstGridLimit) * kI1Slope;
        }
        const float g2 = clamp01((p2 - 5.0f) * 0.025f);
        const float a2 = clamp01((p3 - 100.0f) * 0.005f);
        const float i2 = tables.read(TubeTables::kFamilyC, g2, a2);
        const float i3 = tables.read(TubeTables::kFamilyD, g2, a2);
        currents[0] = values[kI0] = i0;
        currents[1] = values[kI0 + 1] = i1;
        currents[2] = values[kI0 + 2] = i2;
        currents[3] = values[kI0 + 3] = i3;

        float next[kStates];
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

    float state[kStates]{};       // x0..x6
    float currents[kCurrents]{};  // i0, i1 (first triode), i2, i3 (second)
};

class StereoTubeCircuit {
public:
    void reset() { *this = StereoTubeCircuit{}; }
    bool isFinite() const { return allFinite(pairs_); }

    // Drive u and the result vOut in lanes 0 (left) and 1 (right).
    Float4 step(Float4 u, const TubeTables& tables) {
        using namespace circuit;
        const auto low = [](Float4 pair) { return __builtin_shufflevector(pair, pair, 0, 1, 0, 1); };
        const auto high = [](Float4 pair) { return __builtin_shufflevector(pair, pair, 2, 3, 2, 3); };
        Float4 values[kColumns];
        values[0] = low(x02());
        values[1] = high(x51());
        values[2] = high(x02());
        values[3] = low(x34());
        values[4] = high(x34());
        values[5] = low(x51());
        values[6] = low(x6());
        values[kU] = low(u);
        values[kV] = splat(kSupplyVoltage);
        values[kI0] = low(i01());
        values[kI0 + 1] = high(i01());
        values[kI0 + 2] = low(i23());
        values[kI0 + 3] = high(i23());

        // (p0, p1) and (p2, p3), then each triode's (grid, plate) coordinates.
        const Float4 p01 = pairSum<kVoltages, 0, 1>(values);
        const Float4 p23 = pairSum<kVoltages, 2, 3>(values);
        Float4 first = tables.readTriode(
            TubeTables::kFamilyA,
            clamp01((p01 + Float4{4.0f, 4.0f, -50.0f, -50.0f}) *
                    Float4{0.041666668f, 0.041666668f, 0.006666667f, 0.006666667f}));
        const Float4 p0 = low(p01);
        first = select(p0 > splat(kFirstGridLimit),
                       first + (p0 - splat(kFirstGridLimit)) *
                                   Float4{kI0Slope, kI0Slope, kI1Slope, kI1Slope},
                       first);
        const Float4 second = tables.readTriode(
            TubeTables::kFamilyC, clamp01((p23 + Float4{-5.0f, -5.0f, -100.0f, -100.0f}) *
                                          Float4{0.025f, 0.025f, 0.005f, 0.005f}));
        i01() = first;
        i23() = second;
        values[kI0] = low(first);
        values[kI0 + 1] = high(first);
        values[kI0 + 2] = low(second);
        values[kI0 + 3] = high(second);

        x02() = pairSum<kStateUpdate, 0, 2>(values);
        x34() = pairSum<kStateUpdate, 3, 4>(values);
        x51() = pairSum<kStateUpdate, 5, 1>(values);
        x6() = pairSum<kStateUpdate, 6, kNoRow>(values);
        values[0] = low(x02());
        values[2] = high(x02());
        values[3] = low(x34());
        values[4] = high(x34());
        values[5] = low(x51());
        return pairSum<kVoltages, kOutputRow, kNoRow>(values);
    }

private:
    Float4& x02() { return pairs_[0]; }
    Float4& x34() { return pairs_[1]; }
    Float4& x51() { return pairs_[2]; }
    Float4& x6() { return pairs_[3]; }
    Float4& i01() { return pairs_[4]; }
    Float4& i23() { return pairs_[5]; }

    Float4 pairs_[6]{};  // (x0, x2), (x3, x4), (x5, x1), (x6, -), (i0, i1), (i2, i3)
};

}  // namespace dsp
