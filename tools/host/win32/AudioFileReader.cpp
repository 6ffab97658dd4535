// Reading WAV files on Windows: PCM of 16, 24 or 32 bits and 32-bit floats, mono or stereo.
#include "tools/host/AudioFileReader.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/host/ToolError.h"
#include "tools/host/win32/WavFormat.h"
#include "tools/host/Utf8Path.h"

namespace vsthost {

struct AudioFileReader::File {
    std::FILE* stream;
    int bits;
    bool floating;
    std::int64_t remaining;  // frames
    std::vector<unsigned char> bytes;
    ~File() { std::fclose(stream); }
};

namespace {

uint32_t word(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t half(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

AudioFileReader::AudioFileReader(const std::string& path) : path_(path) {
    std::error_code error;
    if (!std::filesystem::exists(pathFromUtf8(path), error)) throw ToolError("cannot open '" + path + "': no such file");
    if (!std::filesystem::is_regular_file(pathFromUtf8(path), error))
        throw ToolError("cannot read '" + path + "': not a regular file");
    std::FILE* stream = _wfopen(pathFromUtf8(path).wstring().c_str(), L"rb");
    if (!stream) throw ToolError("cannot open '" + path + "'");
    file_.reset(new File{stream, 0, false, 0, {}});
    const auto refuse = [&](const char* why) {
        throw ToolError("'" + path + "' is not in an audio format this tool reads (" + why + ")");
    };
    unsigned char header[12];
    if (std::fread(header, 1, 12, stream) != 12 || std::memcmp(header, "RIFF", 4) || std::memcmp(header + 8, "WAVE", 4))
        refuse("not a WAV file");
    int encoding = 0;
    for (;;) {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, 8, stream) != 8) refuse("no data");
        const uint32_t size = word(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            std::vector<unsigned char> format(std::max<uint32_t>(size, 16));
            if (size < 16 || std::fread(format.data(), 1, size, stream) != size) refuse("a short format chunk");
            uint16_t tag = half(format.data());
            if (tag == 0xFFFE && size >= 26) tag = half(format.data() + 24);  // extensible: its sub-format
            channels_ = half(format.data() + 2);
            sampleRate_ = static_cast<int>(word(format.data() + 4));
            file_->bits = half(format.data() + 14);
            file_->floating = tag == 3;
            if ((tag != 1 && tag != 3) || (tag == 3 && file_->bits != 32) ||
                (tag == 1 && file_->bits != 16 && file_->bits != 24 && file_->bits != 32))
                refuse("an encoding other than 16, 24 or 32-bit PCM or 32-bit float");
            encoding = file_->floating ? wav::kFloat : file_->bits == 16 ? wav::kPcm16 : file_->bits == 24 ? wav::kPcm24 : wav::kPcm32;
            if (size & 1) std::fseek(stream, 1, SEEK_CUR);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (channels_ == 0) refuse("data before its format");
            frames_ = size / (channels_ * (file_->bits / 8));
            file_->remaining = frames_;
            break;
        } else {
            std::fseek(stream, static_cast<long>(size + (size & 1)), SEEK_CUR);
        }
    }
    format_ = wav::kContainer | encoding;
    if (channels_ < 1 || channels_ > 2)
        throw ToolError("'" + path + "' has " + std::to_string(channels_) + " channels; render takes mono or stereo files");
}

AudioFileReader::~AudioFileReader() = default;

int AudioFileReader::read(float* left, float* right, int frames) {
    const int count = static_cast<int>(std::min<std::int64_t>(frames, file_->remaining));
    const int bytesPerSample = file_->bits / 8;
    file_->bytes.resize(static_cast<std::size_t>(count) * channels_ * bytesPerSample);
    const std::size_t got = std::fread(file_->bytes.data(), 1, file_->bytes.size(), file_->stream);
    if (got != file_->bytes.size()) throw ToolError("cannot read '" + path_ + "': the file ends early");
    file_->remaining -= count;
    const auto sample = [&](int index) {
        const unsigned char* p = file_->bytes.data() + static_cast<std::size_t>(index) * bytesPerSample;
        if (file_->floating) {
            float value;
            std::memcpy(&value, p, 4);
            return value;
        }
        if (file_->bits == 16) return wav::toFloat(static_cast<int16_t>(half(p)), 16);
        if (file_->bits == 24) {
            const uint32_t bits = p[0] | p[1] << 8 | p[2] << 16 | (p[2] & 0x80 ? 0xFF000000u : 0u);
            return wav::toFloat(static_cast<int32_t>(bits), 24);
        }
        return wav::toFloat(static_cast<int32_t>(word(p)), 32);
    };
    for (int i = 0; i < count; ++i) {
        left[i] = sample(i * channels_);
        right[i] = channels_ == 1 ? left[i] : sample(i * channels_ + 1);
    }
    return count;
}

}  // namespace vsthost
