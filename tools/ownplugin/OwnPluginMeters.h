// Marvolenzik publishes its gain reduction only for its editor; VST 2.4 gives a host no
// way to ask for it. This host is built from the same sources as the plug-in, so for
// Marvolenzik itself it reads the published meters through the effect object that the
// record points to, with the effect's own (virtual) meter operations.
#pragma once

#include <optional>

namespace vsthost {

class PluginInstance;

class OwnPluginMeters {
public:
    // The meters of the instance when it is Marvolenzik, nothing otherwise.
    static std::optional<OwnPluginMeters> of(PluginInstance& plugin);

    // The four values the last block published, as the editor reads them.
    struct Readings {
        float gainReductionLeft;   // 0 for none, 1 for 25 dB
        float gainReductionRight;
        float inputLevel;          // smoothed level of the left input
        float outputLevel;         // smoothed level of the left output, before the volume
    };
    Readings readings() const;

    // The larger of the two channels' gain reduction in the last block, in dB.
    double gainReductionDb() const;

private:
    explicit OwnPluginMeters(void* effectObject) : effectObject_(effectObject) {}
    void* effectObject_;
};

}  // namespace vsthost
