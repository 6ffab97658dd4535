// Writing WAV files on Windows: into a hidden file beside the final one, which replaces it
// once the whole render has succeeded.
#include "tools/host/AudioFileWriter.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/host/ToolError.h"
#include "tools/host/win32/WavFormat.h"
#include "tools/host/Utf8Path.h"

namespace vsthost {

struct AudioFileWriter::File {
    std::FILE* stream = nullptr;
    int encoding = 0;
    int sampleRate = 0;
    uint64_t dataBytes = 0;
    std::vector<unsigned char> bytes;
};

namespace {

void putWord(std::vector<unsigned char>& out, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// RIFF and format chunks, and the data chunk's header, for `dataBytes` of samples.
std::vector<unsigned char> header(int encoding, int sampleRate, uint64_t dataBytes) {
    const int bits = encoding == wav::kFloat ? 32 : wav::bitsOf(encoding);
    const uint32_t blockAlign = 2 * bits / 8;
    std::vector<unsigned char> out;
    out.reserve(44);  // the header's size
    const auto tag = [&](const char* name) { out.insert(out.end(), name, name + 4); };
    tag("RIFF");
    putWord(out, static_cast<uint32_t>(36 + dataBytes));
    tag("WAVE");
    tag("fmt ");
    putWord(out, 16);
    putWord(out, encoding == wav::kFloat ? 3 : 1, 2);
    putWord(out, 2, 2);
    putWord(out, static_cast<uint32_t>(sampleRate));
    putWord(out, static_cast<uint32_t>(sampleRate) * blockAlign);
    putWord(out, blockAlign, 2);
    putWord(out, static_cast<uint32_t>(bits), 2);
    tag("data");
    putWord(out, static_cast<uint32_t>(dataBytes));
    return out;
}

}  // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, int format, int sampleRate)
    : path_(path), file_(std::make_unique<File>()) {
    const std::filesystem::path target = pathFromUtf8(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::filesystem::path hidden = folder / (L"." + target.filename().wstring() + L"." +
                                                   std::to_wstring(GetCurrentProcessId()) + L".tmp");
    file_->stream = _wfopen(hidden.wstring().c_str(), L"wb");
    if (!file_->stream) throw ToolError("cannot write beside '" + path + "'");
    temporaryPath_ = utf8OfPath(hidden);
    file_->encoding = format & wav::kEncodingMask;
    file_->sampleRate = sampleRate;
    const auto start = header(file_->encoding, sampleRate, 0);
    std::fwrite(start.data(), 1, start.size(), file_->stream);
}

AudioFileWriter::~AudioFileWriter() { discard(); }

void AudioFileWriter::write(const float* left, const float* right, int frames) {
    std::vector<unsigned char>& bytes = file_->bytes;
    bytes.clear();
    for (int i = 0; i < frames; ++i) {
        for (const float value : {left[i], right[i]}) {
            if (file_->encoding == wav::kFloat) {
                uint32_t bitsOfFloat;
                std::memcpy(&bitsOfFloat, &value, 4);
                putWord(bytes, bitsOfFloat);
            } else {
                const int bits = wav::bitsOf(file_->encoding);
                putWord(bytes, static_cast<uint32_t>(wav::toInteger(value, bits)), bits / 8);
            }
        }
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_->stream) != bytes.size())
        throw ToolError("cannot write '" + path_ + "'");
    file_->dataBytes += bytes.size();
}

void AudioFileWriter::commit() {
    const auto complete = header(file_->encoding, file_->sampleRate, file_->dataBytes);
    const bool written = std::fseek(file_->stream, 0, SEEK_SET) == 0 &&
                         std::fwrite(complete.data(), 1, complete.size(), file_->stream) == complete.size() &&
                         std::fflush(file_->stream) == 0;
    std::fclose(file_->stream);
    file_->stream = nullptr;
    if (!written) throw ToolError("cannot write '" + path_ + "'");
    const std::wstring from = pathFromUtf8(temporaryPath_).wstring();
    const std::wstring to = pathFromUtf8(path_).wstring();
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw ToolError("cannot replace '" + path_ + "'");
    temporaryPath_.clear();
}

void AudioFileWriter::discard() {
    if (file_->stream) std::fclose(file_->stream);
    file_->stream = nullptr;
    if (!temporaryPath_.empty()) _wremove(pathFromUtf8(temporaryPath_).wstring().c_str());
    temporaryPath_.clear();
}

}  // namespace vsthost
