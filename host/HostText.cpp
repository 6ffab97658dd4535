#include "host/HostText.h"

#include <charconv>

namespace {

bool writeNumber(char* destination, std::size_t capacity, double value, int decimals,
                 std::chars_format format) {
    char scratch[400];  // the longest fixed double with a few decimals fits
    const auto [end, error] =
        std::to_chars(scratch, scratch + sizeof scratch - 1, value, format, decimals);
    if (error != std::errc{}) return false;
    const std::size_t length = static_cast<std::size_t>(end - scratch);
    if (!destination || length >= capacity) return false;
    *end = '\0';
    copyHostText(destination, capacity, scratch);
    return true;
}

}  // namespace

bool writeFixedNumber(char* destination, std::size_t capacity, double value, int decimals) {
    return writeNumber(destination, capacity, value, decimals, std::chars_format::fixed);
}

bool writeScientificNumber(char* destination, std::size_t capacity, double value,
                           int decimals) {
    return writeNumber(destination, capacity, value, decimals, std::chars_format::scientific);
}
