// An audio file read as a stereo stream (through libsndfile on Linux; WAV on Windows); a
// mono file feeds both channels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/host/StereoStream.h"

namespace vsthost {

class AudioFileReader : public StereoSource {
public:
    // Throws ToolError when the file is missing or unreadable, not in a format this build
    // reads, or has more than two channels.
    explicit AudioFileReader(const std::string& path);
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    int read(float* left, float* right, int frames) override;

    int channels() const { return channels_; }
    int sampleRate() const { return sampleRate_; }
    int format() const { return format_; }
    std::int64_t frames() const { return frames_; }

private:
    struct File;  // the open file, as the build's implementation keeps it
    std::string path_;
    std::unique_ptr<File> file_;
    int channels_ = 0;
    int sampleRate_ = 0;
    int format_ = 0;
    std::int64_t frames_ = 0;
};

}  // namespace vsthost
