// The state extension: what a VST 2.4 host keeps of an instance (the 24 parameter values
// and the program's name), versioned, little-endian whatever the machine. The streams may
// take or give any number of bytes per call; a state that is cut short or not ours changes
// nothing.
#include <array>
#include <cstring>

#include "clap/ClapExtensions.h"
#include "clap/ClapPlugin.h"
#include "effect/ParameterUnits.h"
#include "host/BoundaryGuard.h"

namespace {

constexpr std::array<unsigned char, 4> kMagic{'M', 'V', 'Z', 'S'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kValueCount = parameter::kCount;
constexpr uint32_t kLongestName = EffectProgram::kNameBytes - 1;
// Magic, version, value count, the values, the name's length.
constexpr std::size_t kFixedBytes = 4 + 4 + 4 + 4 * kValueCount + 4;

void putWord(unsigned char* at, uint32_t word) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(word >> (8 * i));
}

uint32_t getWord(const unsigned char* at) {
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word |= static_cast<uint32_t>(at[i]) << (8 * i);
    return word;
}

bool writeAll(const clap_ostream_t* stream, const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const int64_t written = stream->write(stream, bytes, size);
        if (written <= 0 || static_cast<uint64_t>(written) > size) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool readAll(const clap_istream_t* stream, unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const int64_t read = stream->read(stream, bytes, size);
        if (read <= 0 || static_cast<uint64_t>(read) > size) return false;
        bytes += read;
        size -= static_cast<std::size_t>(read);
    }
    return true;
}

bool save(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
    if (!plugin || !stream || !stream->write) return false;
    return guardBoundary(false, [&] {
        if (!ClapPlugin::of(plugin).onMainThread()) return false;
        EffectCore& core = ClapPlugin::of(plugin).core();
        const std::size_t nameLength = std::strlen(core.program().name);
        std::array<unsigned char, kFixedBytes + kLongestName> bytes{};
        std::memcpy(bytes.data(), kMagic.data(), kMagic.size());
        putWord(bytes.data() + 4, kVersion);
        putWord(bytes.data() + 8, kValueCount);
        for (uint32_t i = 0; i < kValueCount; ++i) {
            uint32_t word;
            const float value = core.getParameter(static_cast<int32_t>(i));
            std::memcpy(&word, &value, sizeof word);
            putWord(bytes.data() + 12 + 4 * i, word);
        }
        putWord(bytes.data() + kFixedBytes - 4, static_cast<uint32_t>(nameLength));
        std::memcpy(bytes.data() + kFixedBytes, core.program().name, nameLength);
        return writeAll(stream, bytes.data(), kFixedBytes + nameLength);
    });
}

bool load(const clap_plugin_t* plugin, const clap_istream_t* stream) {
    if (!plugin || !stream || !stream->read) return false;
    return guardBoundary(false, [&] {
        if (!ClapPlugin::of(plugin).onMainThread()) return false;
        std::array<unsigned char, kFixedBytes> fixed{};
        if (!readAll(stream, fixed.data(), fixed.size())) return false;
        if (std::memcmp(fixed.data(), kMagic.data(), kMagic.size()) != 0) return false;
        if (getWord(fixed.data() + 4) != kVersion || getWord(fixed.data() + 8) != kValueCount) return false;
        const uint32_t nameLength = getWord(fixed.data() + kFixedBytes - 4);
        if (nameLength > kLongestName) return false;
        char name[kLongestName + 1] = {};
        if (!readAll(stream, reinterpret_cast<unsigned char*>(name), nameLength)) return false;
        if (std::memchr(name, '\0', nameLength)) return false;

        // Whole and ours: only now does anything change.
        ClapPlugin& instance = ClapPlugin::of(plugin);
        for (uint32_t i = 0; i < kValueCount; ++i) {
            const uint32_t word = getWord(fixed.data() + 12 + 4 * i);
            float value;
            std::memcpy(&value, &word, sizeof value);
            instance.setStored(static_cast<int32_t>(i), value);
        }
        instance.core().setProgramName(name);
        instance.rescanValues();
        return true;
    });
}

}  // namespace

const clap_plugin_state_t kClapState{save, load};
