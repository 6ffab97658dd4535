#include "tools/ownplugin/OwnPlugin.h"

#include <cstdlib>
#include <filesystem>

#include "effect/EffectIdentity.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/StereoPlugin.h"

namespace vsthost {

bool isOwnPlugin(PluginInstance& plugin) {
    return plugin.ok() && plugin.effect()->uniqueID == kMarvolenzikId &&
           plugin.text(effGetEffectName) == kEffectName &&
           plugin.text(effGetVendorString) == kVendorString;
}

bool isOwnPlugin(StereoPlugin& plugin) {
    if (plugin.effectName() != kEffectName || plugin.vendor() != kVendorString) return false;
    const std::string id = plugin.identifier();
    return id == kClapId || (plugin.format() == "VST 2.4" && id == "0x004D565A");
}

std::string defaultPluginPath() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path beside = self.parent_path() / "Marvolenzik.so";
        if (fs::exists(beside, error)) return beside.string();
    }
    if (const char* home = std::getenv("HOME")) {
        const fs::path installed = fs::path(home) / ".vst" / "Marvolenzik.so";
        if (fs::exists(installed, error)) return installed.string();
    }
    return "Marvolenzik.so";
}

}  // namespace vsthost
