#include "tools/host/AudioFileReader.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/host/ToolError.h"

namespace vsthost {

struct AudioFileReader::File {
    SNDFILE* handle;
    std::vector<float> interleaved;
    ~File() { sf_close(handle); }
};

namespace {

// Opening the descriptor first tells a missing or unreadable file apart from one that
// libsndfile does not understand.
int openReadable(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) throw ToolError("cannot open '" + path + "': " + std::strerror(errno));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        throw ToolError("cannot read '" + path + "': not a regular file");
    }
    return descriptor;
}

}  // namespace

AudioFileReader::AudioFileReader(const std::string& path) : path_(path) {
    const int descriptor = openReadable(path);
    SF_INFO info{};
    SNDFILE* handle = sf_open_fd(descriptor, SFM_READ, &info, SF_TRUE);
    if (!handle) {
        const int error = sf_error(nullptr);
        const std::string reason = sf_error_number(error);
        if (error == SF_ERR_UNRECOGNISED_FORMAT || error == SF_ERR_MALFORMED_FILE ||
            error == SF_ERR_UNSUPPORTED_ENCODING)
            throw ToolError("'" + path + "' is not in an audio format this tool reads (" + reason +
                            ")");
        throw ToolError("cannot read '" + path + "': " + reason);
    }
    file_.reset(new File{handle, {}});
    channels_ = info.channels;
    sampleRate_ = info.samplerate;
    format_ = info.format;
    frames_ = info.frames;
    if (channels_ > 2) {
        file_.reset();
        throw ToolError("'" + path + "' has " + std::to_string(channels_) +
                        " channels; render takes mono or stereo files");
    }
    // Integer files come out in -1..1; values beyond full scale in float files pass as they are.
    sf_command(handle, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
}

AudioFileReader::~AudioFileReader() = default;

int AudioFileReader::read(float* left, float* right, int frames) {
    std::vector<float>& interleaved = file_->interleaved;
    interleaved.resize(static_cast<std::size_t>(frames) * channels_);
    const sf_count_t got = sf_readf_float(file_->handle, interleaved.data(), frames);
    if (got < frames && sf_error(file_->handle) != SF_ERR_NO_ERROR)
        throw ToolError("cannot read '" + path_ + "': " + sf_strerror(file_->handle));
    const int count = static_cast<int>(got);
    if (channels_ == 1) {
        for (int i = 0; i < count; ++i) left[i] = right[i] = interleaved[i];
    } else {
        for (int i = 0; i < count; ++i) {
            left[i] = interleaved[2 * i];
            right[i] = interleaved[2 * i + 1];
        }
    }
    return count;
}

}  // namespace vsthost
