// A stereo audio file (written through libsndfile on Linux; WAV on Windows) written into a
// temporary file beside its final path, which replaces the final path only when the whole
// render succeeded: an existing file is never left half-written, and a failed render
// leaves nothing behind.
#pragma once

#include <memory>
#include <string>

#include "tools/host/StereoStream.h"

namespace vsthost {

class AudioFileWriter : public StereoSink {
public:
    // Throws ToolError when the folder cannot take the file or the format is refused.
    AudioFileWriter(const std::string& path, int format, int sampleRate);
    // Without commit(), removes the temporary file.
    ~AudioFileWriter() override;
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // Samples beyond full scale are clipped in integer formats, not wrapped.
    void write(const float* left, const float* right, int frames) override;
    // Completes the file, flushes it to disk and moves it to its final path.
    void commit();

private:
    void discard();

    struct File;  // the open file, as the build's implementation keeps it
    std::string path_;
    std::string temporaryPath_;
    std::unique_ptr<File> file_;
};

}  // namespace vsthost
