// The preset text's scan on any bytes, as a file or the clipboard delivers them. Beyond
// the sanitizers' checks, each scan is compared with the C library's own scan of the same
// characters: what one accepts the other accepts, with the same values, except for the
// forms the preset scan refuses on purpose.
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "presets/PresetState.h"

namespace {

class CountingParameters final : public PresetParameters {
public:
    float getParameter(int) override { return 0.0f; }
    void setParameterAutomated(int index, float) override {
        if (index != calls++) fail("values applied out of index order");
    }
    int calls = 0;

    [[noreturn]] static void fail(const char* what) {
        std::fprintf(stderr, "preset text fuzzer: %s\n", what);
        std::abort();
    }
};

// The C library's scan in the C locale: version and eleven values, the first token
// skipped whole.
bool libraryScan(const std::string& text, float (&numbers)[12]) {
    float* n = numbers;
    const int assigned = std::sscanf(
        text.c_str(),
        "%*s %f%*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f %*s %f",
        &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], &n[6], &n[7], &n[8], &n[9], &n[10], &n[11]);
    if (assigned != 12 || !(numbers[0] >= 10000.0f)) return false;
    for (float number : numbers)
        if (!std::isfinite(number)) return false;
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Forms the C library reads and the preset scan refuses: hexadecimal numbers, infinity
// and NaN, and an exponent without digits (the C library keeps the number before it).
bool holdsRefusedForms(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (c == 'x' && i > 0 && text[i - 1] == '0') return true;
        if ((c == 'i' || c == 'n') && i + 2 < text.size()) {
            std::string word(text, i, 3);
            for (char& w : word) w = static_cast<char>(std::tolower(static_cast<unsigned char>(w)));
            if (word == "inf" || word == "nan") return true;
        }
        if (c == 'e' && i > 0 && (isDigit(text[i - 1]) || text[i - 1] == '.')) {
            std::size_t next = i + 1;
            if (next < text.size() && (text[next] == '+' || text[next] == '-')) ++next;
            if (next == text.size() || !isDigit(text[next])) return true;
        }
    }
    return false;
}

void compareWithLibrary(const PresetState& state, bool accepted, bool cut) {
    const std::string text(state.presetInText());
    float numbers[12];
    const bool libraryAccepted = libraryScan(text, numbers);
    if (accepted) {
        if (!libraryAccepted) CountingParameters::fail("accepted a text the C library refuses");
        if (std::bit_cast<std::uint32_t>(numbers[0]) !=
            std::bit_cast<std::uint32_t>(state.presetVersion()))
            CountingParameters::fail("version differs from the C library's");
        for (int i = 0; i < kPresetParameterCount; ++i)
            if (std::bit_cast<std::uint32_t>(numbers[i + 1]) !=
                std::bit_cast<std::uint32_t>(state.presetValues()[i]))
                CountingParameters::fail("value differs from the C library's");
        const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
        const std::string_view first =
            std::string_view(text).substr(start, text.find_first_of(" \t\n\v\f\r", start) - start);
        if (state.presetHeaderWord() != first.substr(0, kPresetHeaderWordBytes - 1))
            CountingParameters::fail("header word is not the first token's start");
    } else if (libraryAccepted && !cut && !holdsRefusedForms(text)) {
        CountingParameters::fail("refused a text the C library accepts");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PresetState state;
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // As a file delivers it: every byte, up to the buffer's size.
    state.fillPresetInText(input);
    const bool accepted = state.parsePresetText();
    compareWithLibrary(state, accepted, size > kLongestPresetText);
    CountingParameters parameters;
    if (accepted) {
        state.applyPresetValues(parameters);
        if (parameters.calls != kPresetParameterCount) CountingParameters::fail("not eleven values");
    }

    // As the clipboard delivers it: the product-word test first.
    CountingParameters pasted;
    if (state.pastePresetText(input, pasted) && pasted.calls != kPresetParameterCount)
        CountingParameters::fail("paste applied other than eleven values");
    return 0;
}
