#include "tools/validator/AudioBuffers.h"

#include <cstdint>
#include <cstring>

#include "tools/validator/Verdict.h"

namespace validator {

namespace {

// Signalling NaNs: no arithmetic produces them (results of arithmetic on NaN are quiet),
// so finding one means nobody wrote there.
constexpr std::uint32_t kGuardBits = 0x7F8A5A5Au;
constexpr std::uint32_t kUnwrittenBits = 0x7F8B00B5u;

float fromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool hasBits(float value, std::uint32_t bits) {
    std::uint32_t actual;
    std::memcpy(&actual, &value, sizeof actual);
    return actual == bits;
}

}  // namespace

AudioBuffers::AudioBuffers(int inputs, int outputs, int capacity) {
    const std::size_t size = static_cast<std::size_t>(capacity) + 2 * kGuard;
    inputs_.assign(inputs, std::vector<float>(size, 0.0f));
    inputCopies_.assign(inputs, std::vector<float>(size, 0.0f));
    outputs_.assign(outputs, std::vector<float>(size, 0.0f));
    for (auto& channel : inputs_) {
        for (int i = 0; i < kGuard; ++i) channel[i] = channel[size - 1 - i] = fromBits(kGuardBits);
        inputPointers_.push_back(channel.data() + kGuard);
    }
    for (auto& channel : outputs_) outputPointers_.push_back(channel.data() + kGuard);
}

void AudioBuffers::setInPlace(bool inPlace) {
    inPlace_ = inPlace;
    for (int c = 0; c < outputCount(); ++c)
        outputPointers_[c] = inPlace && c < inputCount() ? inputPointers_[c]
                                                         : outputs_[c].data() + kGuard;
}

void AudioBuffers::arm() {
    for (std::size_t c = 0; c < inputs_.size(); ++c) inputCopies_[c] = inputs_[c];
    if (inPlace_) return;
    for (auto& channel : outputs_)
        for (float& sample : channel) sample = fromBits(kUnwrittenBits);
}

std::string AudioBuffers::inspect(int frames) const {
    const int written = frames > 0 ? frames : 0;
    for (std::size_t c = 0; c < inputs_.size(); ++c) {
        const std::vector<float>& now = inputs_[c];
        const std::vector<float>& before = inputCopies_[c];
        for (std::size_t i = 0; i < now.size(); ++i) {
            const long frame = static_cast<long>(i) - kGuard;
            const bool inBlock = frame >= 0 && frame < written;
            if (inPlace_ && inBlock && static_cast<int>(c) < outputCount()) continue;
            if (std::memcmp(&now[i], &before[i], sizeof(float)) != 0)
                return inBlock ? describe("wrote into input channel %zu at frame %ld", c, frame)
                               : describe("wrote outside input channel %zu (frame %ld of a %d-frame block)",
                                          c, frame, frames);
        }
    }
    if (inPlace_) return {};
    for (std::size_t c = 0; c < outputs_.size(); ++c) {
        const std::vector<float>& channel = outputs_[c];
        for (std::size_t i = 0; i < channel.size(); ++i) {
            const long frame = static_cast<long>(i) - kGuard;
            const bool inBlock = frame >= 0 && frame < written;
            if (inBlock && hasBits(channel[i], kUnwrittenBits))
                return describe("left output channel %zu unwritten at frame %ld of %d", c, frame, frames);
            if (!inBlock && !hasBits(channel[i], kUnwrittenBits))
                return describe("wrote outside output channel %zu (frame %ld of a %d-frame block)", c,
                                frame, frames);
        }
    }
    return {};
}

}  // namespace validator
