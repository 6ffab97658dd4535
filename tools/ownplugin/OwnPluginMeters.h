// Marvolenzik's meters, where a host cannot ask for them in general: VST 2.4 gives a host no
// way to, so for the VST 2.4 build (built from the same sources as this host) they are read
// through the effect object that the record points to, with the effect's own (virtual)
// meter operations; the LV2 build publishes them on output ports of its own. (CLAP reports
// gain reduction itself: StereoPlugin::gainReductionDb.)
#pragma once

#include <optional>

#include "dsp/SignalPath.h"

namespace vsthost {

class PluginInstance;
class StereoPlugin;
class Lv2StereoPlugin;

class OwnPluginMeters {
public:
    // The meters of the instance when it is Marvolenzik, nothing otherwise.
    static std::optional<OwnPluginMeters> of(PluginInstance& plugin);
    // Of a loaded VST 2.4 or LV2 Marvolenzik.
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
    explicit OwnPluginMeters(const Lv2StereoPlugin* lv2) : lv2_(lv2) {}
    Readings vst2Readings() const;
    void* effectObject_ = nullptr;
    const Lv2StereoPlugin* lv2_ = nullptr;
};

}  // namespace vsthost
