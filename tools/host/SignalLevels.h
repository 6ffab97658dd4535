// Peak and RMS level of a stereo signal, both channels together.
#pragma once

#include <cstdint>

namespace vsthost {

class SignalLevels {
public:
    void add(const float* left, const float* right, int frames);

    // dBFS, full scale 1.0; silence gives minus infinity. RMS is not weighted: a
    // full-scale sine reads -3.01 dBFS.
    double peakDb() const;
    double rmsDb() const;

private:
    float peak_ = 0.0f;
    double sumOfSquares_ = 0.0;
    std::int64_t samples_ = 0;
};

}  // namespace vsthost
