#include "tools/host/AudioFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

std::optional<int> containerForExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".wav") return SF_FORMAT_WAV;
    if (extension == ".aif" || extension == ".aiff") return SF_FORMAT_AIFF;
    if (extension == ".flac") return SF_FORMAT_FLAC;
    if (extension == ".ogg" || extension == ".oga") return SF_FORMAT_OGG;
    return std::nullopt;
}

int usualEncoding(int container) {
    return container == SF_FORMAT_OGG ? SF_FORMAT_VORBIS : SF_FORMAT_PCM_24;
}

int encodingCode(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::pcm16:
            return SF_FORMAT_PCM_16;
        case SampleEncoding::pcm24:
            return SF_FORMAT_PCM_24;
        case SampleEncoding::pcm32:
            return SF_FORMAT_PCM_32;
        case SampleEncoding::float32:
            return SF_FORMAT_FLOAT;
    }
    return SF_FORMAT_PCM_24;
}

bool holds(int format) {
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = format;
    return sf_format_check(&info) != 0;
}

// The name of a container or of an encoding code.
std::string formatName(int code) {
    SF_FORMAT_INFO info{};
    info.format = code;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) != 0 || !info.name)
        return "unknown";
    return info.name;
}

}  // namespace

int chooseOutputFormat(const std::string& outputPath, std::optional<int> inputFormat,
                       std::optional<SampleEncoding> requested) {
    const int container =
        containerForExtension(outputPath)
            .value_or(inputFormat ? (*inputFormat & SF_FORMAT_TYPEMASK) : SF_FORMAT_WAV);
    if (requested) {
        const int format = container | encodingCode(*requested);
        if (!holds(format))
            throw UsageError(formatName(container) + " cannot hold " +
                             formatName(encodingCode(*requested)));
        return format;
    }
    if (inputFormat) {
        const int format = container | (*inputFormat & SF_FORMAT_SUBMASK);
        if (holds(format)) return format;
    }
    return container | usualEncoding(container);
}

std::string describeFormat(int format) {
    return formatName(format & SF_FORMAT_TYPEMASK) + ", " + formatName(format & SF_FORMAT_SUBMASK);
}

}  // namespace vsthost
