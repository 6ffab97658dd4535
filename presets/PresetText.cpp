// Building, scanning and applying the preset text.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "presets/PresetNumberText.h"
#include "presets/PresetState.h"

namespace {

constexpr const char* kPresetHeaderLine = "Marvolenzik 010000\n";
constexpr float kLowestVersion = 10000.0f;
constexpr std::size_t kValueScratchBytes = 100;

// Appends to a fixed field, cutting what does not fit and keeping the terminating zero.
class FieldWriter {
public:
    explicit FieldWriter(std::span<char, kPresetTextBytes> field) : field_(field) {
        field_[0] = '\0';
    }
    void append(const char* text) {
        const std::size_t length =
            std::min(std::strlen(text), field_.size() - 1 - length_);
        std::memcpy(field_.data() + length_, text, length);
        length_ += length;
        field_[length_] = '\0';
    }
    std::size_t length() const { return length_; }

private:
    std::span<char, kPresetTextBytes> field_;
    std::size_t length_ = 0;
};

// The length of a zero-terminated text in a field of `capacity` bytes.
std::size_t lengthWithin(const char* field, std::size_t capacity) {
    const void* zero = std::memchr(field, '\0', capacity);
    return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : capacity;
}

// The C library's white space in the C locale, whatever locale the process has set.
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Fields of the scanned text, taken as the C library's scan takes them.
class FieldReader {
public:
    FieldReader(const char* first, const char* last) : at_(first), last_(last) {}

    std::optional<std::string_view> token() {
        skipSpace();
        const char* const start = at_;
        while (at_ != last_ && !isSpace(*at_)) ++at_;
        if (at_ == start) return std::nullopt;
        return std::string_view(start, static_cast<std::size_t>(at_ - start));
    }

    std::optional<float> number() {
        skipSpace();
        const ScannedNumber scanned = scanDecimalNumber(at_, last_);
        at_ = scanned.end;
        return scanned.value;
    }

    const char* position() const { return at_; }

private:
    void skipSpace() {
        while (at_ != last_ && isSpace(*at_)) ++at_;
    }

    const char* at_;
    const char* last_;
};

// A host may have stored NaN or an infinity, which no preset reader takes back: the text
// holds the value the sound uses instead, so that the other ten values are not lost with it.
float storableValue(float value) {
    if (std::isnan(value)) return 0.0f;
    if (std::isinf(value)) return value > 0.0f ? 1.0f : 0.0f;
    return value;
}

}  // namespace

std::size_t PresetState::buildPresetText(PresetParameters& parameters,
                                         std::span<char, kPresetTextBytes> buffer) {
    FieldWriter text(presetOutText_);
    text.append(kPresetHeaderLine);
    for (int index = 0; index < kPresetParameterCount; ++index) {
        char value[kValueScratchBytes];
        formatPresetValueLine(storableValue(parameters.getParameter(index)), value, sizeof value);
        text.append(parameter::kTable[index].presetKey);
        text.append(value);
    }
    std::memcpy(buffer.data(), presetOutText_, text.length() + 1);
    return text.length();
}

void PresetState::fillPresetInText(std::string_view text) {
    const std::size_t length = std::min(text.size(), kLongestPresetText);
    std::memcpy(presetInText_, text.data(), length);
    presetInText_[length] = '\0';
    presetInTextCut_ = text.size() > kLongestPresetText;
}

bool PresetState::parsePresetText() {
    std::fill(std::begin(presetValues_), std::end(presetValues_), 0.0f);
    const char* const first = presetInText_;
    const char* const last = first + lengthWithin(first, kLongestPresetText);
    FieldReader fields(first, last);

    const auto headerWord = fields.token();
    if (!headerWord) return false;
    // A longer first token is cut: nothing compares it, and any first word is accepted.
    const std::size_t kept = std::min(headerWord->size(), kPresetHeaderWordBytes - 1);
    std::memcpy(presetHeaderWord_, headerWord->data(), kept);
    presetHeaderWord_[kept] = '\0';

    const auto version = fields.number();
    if (!version) return false;
    presetVersion_ = *version;

    for (int index = 0; index < kPresetParameterCount; ++index) {
        if (!fields.token()) return false;
        const auto value = fields.number();
        if (!value) return false;
        presetValues_[index] = *value;
    }
    // A value that runs up to the place where a long text was cut may have gone on
    // beyond it: the text's meaning is not known, so it is refused.
    if (presetInTextCut_ && fields.position() == first + kLongestPresetText) return false;
    return presetVersion_ >= kLowestVersion;
}

void PresetState::applyPresetValues(PresetParameters& parameters) {
    for (int index = 0; index < kPresetParameterCount; ++index)
        parameters.setParameterAutomated(index, presetValues_[index]);
}

std::string_view PresetState::presetOutText() const {
    return {presetOutText_, lengthWithin(presetOutText_, kPresetTextBytes)};
}

std::string_view PresetState::presetInText() const {
    return {presetInText_, lengthWithin(presetInText_, kPresetTextBytes)};
}

std::string_view PresetState::presetHeaderWord() const {
    return {presetHeaderWord_, lengthWithin(presetHeaderWord_, kPresetHeaderWordBytes)};
}

std::string_view PresetState::presetPath() const {
    return {presetPath_, lengthWithin(presetPath_, kPresetPathBytes)};
}
