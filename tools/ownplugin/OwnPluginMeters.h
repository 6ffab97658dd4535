// Marvolenzik publishes its gain reduction only for its editor; VST 2.4 gives a host no
// way to ask for it. This host is built from the same sources as the plug-in, so for
// Marvolenzik itself it reads the published meters through the effect object that the
// record points to, with the effect's own (virtual) meter operations.
#pragma once

#include <optional>

#include "dsp/SignalPath.h"

namespace vsthost {

class PluginInstance;
class StereoPlugin;

class OwnPluginMeters {
public:
    // The meters of the instance when it is Marvolenzik, nothing otherwise.
    static std::optional<OwnPluginMeters> of(PluginInstance& plugin);
    // Of a loaded VST 2.4 Marvolenzik; formats that report gain reduction themselves
    // (StereoPlugin::gainReductionDb) need none of this.
    static std::optional<OwnPluginMeters> of(StereoPlugin& plugin);

    // The four values the last block published, as the editor reads them: the gain
    // reduction left and right, and the smoothed levels of the left input and of the left
    // output before the volume.
    using Readings = dsp::BlockMeters;
    Readings readings() const;

    // The larger of the two channels' gain reduction in the last block, in dB.
    double gainReductionDb() const;

private:
    explicit OwnPluginMeters(void* effectObject) : effectObject_(effectObject) {}
    void* effectObject_;
};

}  // namespace vsthost
