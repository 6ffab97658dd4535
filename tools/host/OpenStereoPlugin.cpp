// The format of a plug-in, told by its name: a .clap file is a CLAP plug-in, a .lv2 bundle
// (or lv2:URI of an installed plug-in) an LV2 one, anything else a VST 2.4 shared object.
#include <string_view>

#include "tools/host/ClapStereoPlugin.h"
#ifdef MARVOLENZIK_LV2_HOSTING
#include "tools/host/Lv2StereoPlugin.h"
#endif
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/host/Vst2StereoPlugin.h"

namespace vsthost {

bool isClapPath(const std::string& path) {
    const std::string_view name(path);
    return name.size() > 5 && name.substr(name.size() - 5) == ".clap";
}

bool isLv2Location(const std::string& location) {
    const std::string_view name(location);
    const std::string_view trimmed = name.ends_with("/") ? name.substr(0, name.size() - 1) : name;
    return name.starts_with("lv2:") || trimmed.ends_with(".lv2");
}

std::unique_ptr<StereoPlugin> openStereoPlugin(const std::string& path) {
    if (isClapPath(path)) return std::make_unique<ClapStereoPlugin>(path);
    if (isLv2Location(path)) {
#ifdef MARVOLENZIK_LV2_HOSTING
        return std::make_unique<Lv2StereoPlugin>(path);
#else
        throw ToolError("this build hosts no LV2 plug-ins");
#endif
    }
    return std::make_unique<Vst2StereoPlugin>(path);
}

}  // namespace vsthost
