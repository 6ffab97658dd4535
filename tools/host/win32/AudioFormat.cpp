// Formats on Windows: WAV, in 16, 24 or 32-bit integers or 32-bit floats.
#include "tools/host/AudioFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tools/host/ToolError.h"
#include "tools/host/win32/WavFormat.h"

namespace vsthost {

namespace {

int encodingCode(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::pcm16:
            return wav::kPcm16;
        case SampleEncoding::pcm24:
            return wav::kPcm24;
        case SampleEncoding::pcm32:
            return wav::kPcm32;
        case SampleEncoding::float32:
            return wav::kFloat;
    }
    return wav::kPcm24;
}

std::string encodingName(int encoding) {
    switch (encoding) {
        case wav::kPcm16:
            return "Signed 16 bit PCM";
        case wav::kPcm24:
            return "Signed 24 bit PCM";
        case wav::kPcm32:
            return "Signed 32 bit PCM";
        case wav::kFloat:
            return "32 bit float";
        default:
            return "unknown";
    }
}

}  // namespace

int chooseOutputFormat(const std::string& outputPath, std::optional<int> inputFormat,
                       std::optional<SampleEncoding> requested) {
    std::string extension = std::filesystem::path(outputPath).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!extension.empty() && extension != ".wav")
        throw UsageError("this build writes WAV files only, not '" + extension + "'");
    if (requested) return wav::kContainer | encodingCode(*requested);
    if (inputFormat) return wav::kContainer | (*inputFormat & wav::kEncodingMask);
    return wav::kContainer | wav::kPcm24;
}

std::string describeFormat(int format) {
    return "WAV (Microsoft), " + encodingName(format & wav::kEncodingMask);
}

}  // namespace vsthost
