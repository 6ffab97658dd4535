#include "tools/ownplugin/OwnPluginMeters.h"

#include <algorithm>

#include "effect/Rovuduradir.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/Vst2StereoPlugin.h"
#include "tools/ownplugin/OwnPlugin.h"

namespace vsthost {

std::optional<OwnPluginMeters> OwnPluginMeters::of(PluginInstance& plugin) {
    if (!isOwnPlugin(plugin)) return std::nullopt;
    return OwnPluginMeters(plugin.effect()->object);
}

std::optional<OwnPluginMeters> OwnPluginMeters::of(StereoPlugin& plugin) {
    auto* vst2 = dynamic_cast<Vst2StereoPlugin*>(&plugin);
    return vst2 ? of(vst2->primary()) : std::nullopt;
}

// The effect's type information lives, hidden, in the plug-in; the sanitizer's dynamic
// type check cannot see it and would reject the cast.
__attribute__((no_sanitize("vptr"))) OwnPluginMeters::Readings OwnPluginMeters::readings() const {
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
