// Audio file formats as libsndfile codes them (container | sample encoding; the Windows
// build, which writes WAV only, keeps the same numbers): choosing the one OUT is written
// in, and naming them for people.
#pragma once

#include <optional>
#include <string>

namespace vsthost {

// What `--bits` may ask for.
enum class SampleEncoding { pcm16, pcm24, pcm32, float32 };
std::optional<SampleEncoding> parseSampleEncoding(const std::string& text);

// The container follows OUT's extension when it names one (wav, aif, aiff, flac, ogg,
// oga), else the input's (WAV for the demo). The encoding is `requested`, else the
// input's when the container holds it, else the container's usual one (24-bit PCM,
// Vorbis for Ogg). Throws ToolError when the container cannot hold what was requested.
int chooseOutputFormat(const std::string& outputPath, std::optional<int> inputFormat,
                       std::optional<SampleEncoding> requested);

// "WAV (Microsoft), Signed 24 bit PCM".
std::string describeFormat(int format);

}  // namespace vsthost
