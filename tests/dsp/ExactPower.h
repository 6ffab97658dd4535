// Reference for x^p rounded to single precision: x is a float, so x^p = M^p * 2^(E p)
// exactly with integer M; the big integer M^p is rounded half-to-even by its bits.
#pragma once

namespace dsptest {

float exactRoundedPower(float x, int p);

}  // namespace dsptest
