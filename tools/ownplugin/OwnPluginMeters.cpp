#include "tools/ownplugin/OwnPluginMeters.h"

#include <algorithm>

#include "effect/Rovuduradir.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/Vst2StereoPlugin.h"
#ifdef MARVOLENZIK_LV2_HOSTING
#include "tools/host/Lv2StereoPlugin.h"
#endif
#include "tools/ownplugin/OwnPlugin.h"

namespace vsthost {

std::optional<OwnPluginMeters> OwnPluginMeters::of(PluginInstance& plugin) {
    if (!isOwnPlugin(plugin)) return std::nullopt;
    return OwnPluginMeters(plugin.effect()->object);
}

std::optional<OwnPluginMeters> OwnPluginMeters::of(StereoPlugin& plugin) {
    if (auto* vst2 = dynamic_cast<Vst2StereoPlugin*>(&plugin)) return of(vst2->primary());
#ifdef MARVOLENZIK_LV2_HOSTING
    if (auto* lv2 = dynamic_cast<Lv2StereoPlugin*>(&plugin); lv2 && isOwnPlugin(plugin)) return OwnPluginMeters(lv2);
#endif
    return std::nullopt;
}

OwnPluginMeters::Readings OwnPluginMeters::readings() const {
#ifdef MARVOLENZIK_LV2_HOSTING
    if (lv2_) {
        const auto port = [&](const char* symbol) { return lv2_->outputValue(symbol).value_or(0.0f); };
        constexpr float kRange = Readings::kGainReductionRangeDb;
        return {port("gr_left") / kRange, port("gr_right") / kRange, port("input_level"), port("output_level")};
    }
#endif
    return vst2Readings();
}

// The effect's type information lives, hidden, in the plug-in; the sanitizer's dynamic
// type check cannot see it and would reject the cast.
__attribute__((no_sanitize("vptr"))) OwnPluginMeters::Readings OwnPluginMeters::vst2Readings() const {
    auto* effect = static_cast<Rovuduradir*>(static_cast<AudioEffect*>(effectObject_));
    return {effect->getGainReductionLeft(), effect->getGainReductionRight(), effect->getInputLevel(),
            effect->getOutputLevel()};
}

double OwnPluginMeters::gainReductionDb() const {
    const Readings now = readings();
    return static_cast<double>(Readings::kGainReductionRangeDb) *
           std::max(now.gainReductionLeft, now.gainReductionRight);
}

}  // namespace vsthost
