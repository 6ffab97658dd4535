#include "tools/host/PresetText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

constexpr std::size_t kLongestText = 9999;
constexpr float kLowestVersion = 10000.0f;

// Header word, version, then eleven times a key and a value. The header word is skipped
// rather than stored: nothing compares it, and a skipped token has no length limit.
constexpr const char* kScanFormat =
    "%*s %f%*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f";

}  // namespace

std::optional<PresetValues> scanPresetText(const std::string& text) {
    float version = 0.0f;
    PresetValues v{};
    const int assigned = std::sscanf(text.c_str(), kScanFormat, &version, &v[0], &v[1], &v[2],
                                     &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10]);
    if (assigned != 1 + kPresetValueCount || !(version >= kLowestVersion)) return std::nullopt;
    for (float value : v)
        if (!std::isfinite(value)) return std::nullopt;
    return v;
}

PresetValues readPresetFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw ToolError("cannot open preset '" + path + "': " + std::strerror(errno));
    std::string text(kLongestText, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file));
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) throw ToolError("cannot read preset '" + path + "': " + std::strerror(error));
    const auto values = scanPresetText(text);
    if (!values)
        throw ToolError("'" + path +
                        "' is not a Marvolenzik preset (a header and a version of at least "
                        "10000, then eleven KEY VALUE pairs)");
    return *values;
}

}  // namespace vsthost
