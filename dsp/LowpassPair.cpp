#include "dsp/LowpassPair.h"

namespace dsp {

constinit const LowpassPairCoefficients kLowpassPairCoefficients = LowpassPairCoefficients::make();

void LowpassPair::endChunk(int hostSamples) {
    // The up filter's last eight samples sit just before position 4N, the down filter's
    // just before 4 (N + 2); the next chunk reads them at -8..-1 and 0..7. Copying upwards
    // is safe: every source lies at or above its destination.
    const int upEnd = kOversampling * hostSamples;
    const int downEnd = kOversampling * (hostSamples + kHostSamplesBetween);
    const Int4 upLanes = lanes(true, false);
    const auto at = [](int position) { return kHistory + position; };
    for (int i = 0; i < kHistory; ++i) {
        const int to = at(i - kHistory), from = at(upEnd - kHistory + i);
        inputs_[to] = select(upLanes, inputs_[from], Float4{});
        outputs_[to] = select(upLanes, outputs_[from], Float4{});
    }
    for (int i = 0; i < kHistory; ++i) {
        const int to = at(i), from = at(downEnd - kHistory + i);
        inputs_[to] = select(upLanes, Float4{}, inputs_[from]);
        outputs_[to] = select(upLanes, Float4{}, outputs_[from]);
    }
}

bool LowpassPair::isFinite() const {
    // Between chunks only the history in front carries state.
    const Float4* ends[] = {inputs_, outputs_};
    Float4 probe{};
    for (const Float4* buffer : ends)
        for (int i = 0; i < 2 * kHistory; ++i) probe = probe + buffer[i] * 0.0f;
    return allFinite(probe);
}

}  // namespace dsp
