#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tools/host/Commands.h"

namespace vsthost {

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
