#include "tools/host/AudioFileWriter.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/host/ToolError.h"

namespace vsthost {

struct AudioFileWriter::File {
    int descriptor = -1;
    SNDFILE* handle = nullptr;
    std::vector<float> interleaved;
};

namespace {

std::string systemError(const std::string& what, const std::string& path) {
    return what + " '" + path + "': " + std::strerror(errno);
}

}  // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, int format, int sampleRate)
    : path_(path), file_(std::make_unique<File>()) {
    int& descriptor = file_->descriptor;
    // Hidden, in the same folder, so that the final rename stays within one file system.
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".XXXXXX";
    std::string pattern = (folder / hiddenName).string();
    descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) throw ToolError(systemError("cannot write beside", path));
    temporaryPath_ = pattern;
    // mkstemp creates the file for its owner only; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);

    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    file_->handle = sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE);
    if (!file_->handle) {
        const std::string reason = sf_strerror(nullptr);
        discard();
        throw ToolError("cannot write '" + path + "': " + reason);
    }
    sf_command(file_->handle, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    sf_command(file_->handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() { discard(); }

void AudioFileWriter::write(const float* left, const float* right, int frames) {
    std::vector<float>& interleaved = file_->interleaved;
    interleaved.resize(2 * static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    if (sf_writef_float(file_->handle, interleaved.data(), frames) != frames)
        throw ToolError("cannot write '" + path_ + "': " + sf_strerror(file_->handle));
}

void AudioFileWriter::commit() {
    const int closeError = sf_close(file_->handle);
    file_->handle = nullptr;
    if (closeError != 0)
        throw ToolError("cannot write '" + path_ + "': " + sf_error_number(closeError));
    if (::fsync(file_->descriptor) != 0) throw ToolError(systemError("cannot write", path_));
    ::close(file_->descriptor);
    file_->descriptor = -1;
    if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        throw ToolError(systemError("cannot replace", path_));
    temporaryPath_.clear();
}

void AudioFileWriter::discard() {
    if (file_->handle) sf_close(file_->handle);
    file_->handle = nullptr;
    if (file_->descriptor >= 0) ::close(file_->descriptor);
    file_->descriptor = -1;
    if (!temporaryPath_.empty()) std::remove(temporaryPath_.c_str());
    temporaryPath_.clear();
}

}  // namespace vsthost
