// The format of a plug-in file, told by its name: a .clap file is a CLAP plug-in, anything
// else a VST 2.4 shared object.
#include <string_view>

#include "tools/host/ClapStereoPlugin.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/Vst2StereoPlugin.h"

namespace vsthost {

bool isClapPath(const std::string& path) {
    const std::string_view name(path);
    return name.size() > 5 && name.substr(name.size() - 5) == ".clap";
}

std::unique_ptr<StereoPlugin> openStereoPlugin(const std::string& path) {
    if (isClapPath(path)) return std::make_unique<ClapStereoPlugin>(path);
    return std::make_unique<Vst2StereoPlugin>(path);
}

}  // namespace vsthost
