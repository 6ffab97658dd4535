// The last kLength samples of a signal, readable newest first as one contiguous array.
// Each sample is stored twice, kLength apart, so that a push moves nothing.
#pragma once

#include "dsp/Float4.h"

namespace dsp {

template <class Sample, int kLength>
class SampleHistory {
public:
    const Sample* newestFirst() const { return &samples_[newest_]; }

    void push(Sample value) {
        newest_ = newest_ == 0 ? kLength - 1 : newest_ - 1;
        samples_[newest_] = value;
        samples_[newest_ + kLength] = value;
    }

    void clear() { *this = SampleHistory{}; }
    bool isFinite() const { return allFinite(samples_); }

private:
    Sample samples_[2 * kLength]{};
    int newest_ = 0;
};

}  // namespace dsp
