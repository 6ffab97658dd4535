// What every build's formats share; the formats themselves are in sndfile/ and win32/.
#include "tools/host/AudioFormat.h"

namespace vsthost {

std::optional<SampleEncoding> parseSampleEncoding(const std::string& text) {
    if (text == "16") return SampleEncoding::pcm16;
    if (text == "24") return SampleEncoding::pcm24;
    if (text == "32") return SampleEncoding::pcm32;
    if (text == "float") return SampleEncoding::float32;
    return std::nullopt;
}

}  // namespace vsthost
