#include "tools/ownplugin/OwnPlugin.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "effect/EffectIdentity.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/Utf8Path.h"

namespace vsthost {

bool isOwnPlugin(PluginInstance& plugin) {
    return plugin.ok() && plugin.effect()->uniqueID == kMarvolenzikId &&
           plugin.text(effGetEffectName) == kEffectName &&
           plugin.text(effGetVendorString) == kVendorString;
}

bool isOwnPlugin(StereoPlugin& plugin) {
    if (plugin.effectName() != kEffectName || plugin.vendor() != kVendorString) return false;
    const std::string id = plugin.identifier();
    return id == kClapId || id == kLv2Uri || (plugin.format() == "VST 2.4" && id == "0x004D565A");
}

#ifdef _WIN32

std::string defaultPluginPath() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::filesystem::path beside = std::filesystem::path(self).parent_path() / "Marvolenzik.dll";
        std::error_code error;
        if (std::filesystem::exists(beside, error)) return utf8OfPath(beside);
    }
    return "Marvolenzik.dll";
}

#else

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

#endif

}  // namespace vsthost
