// The forty tube tables: four families (A, B: currents i0, i1 of the first triode; C, D:
// currents i2, i3 of the second), ten plate-coordinate slices each, 44,100 grid points
// plus one guard entry per slice. Built once per instance from polynomial data; ~7 MB.
#pragma once

#include "dsp/Float4.h"
#include "dsp/TubeTableData.h"

namespace dsp {

class TubeTables {
public:
    static constexpr int kFamilies = TubeTableCoefficients::kFamilies;
    static constexpr int kSlices = TubeTableCoefficients::kSlices;
    static constexpr int kTables = TubeTableCoefficients::kTables;
    static constexpr int kGridPoints = 44100;
    static constexpr int kEntries = kGridPoints + 1;  // the last repeats the one before
    enum Family { kFamilyA, kFamilyB, kFamilyC, kFamilyD };

    // Evaluates every slice's polynomial at x = step * j - 1 (j = 0..44099, step = 2/44099
    // in single precision), summing power 0 to 20 in single precision, times its scale.
    void build(const TubeTableCoefficients& data);

    const float* slice(int family, int sliceIndex) const {
        return &entries_[(family * kSlices + sliceIndex) * kEntries];
    }

    // Bilinear read of one family at grid coordinate g and plate coordinate a, both in
    // [0, 1] (the caller clamps).
    float read(int family, float g, float a) const;

    // Both currents of a triode (families firstFamily and firstFamily + 1) at once; the
    // Float4 form reads lanes 0 and 1 (left and right) with their own coordinates.
    void readTriode(int firstFamily, float g, float a, float& first, float& second) const {
        first = read(firstFamily, g, a);
        second = read(firstFamily + 1, g, a);
    }
    void readTriode(int firstFamily, Float4 g, Float4 a, Float4& first, Float4& second) const;

private:
    alignas(64) float entries_[kTables * kEntries];
};

}  // namespace dsp
