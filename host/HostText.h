// Bounded writes of texts into buffers a host hands us. Hosts size these buffers
// themselves, so nothing longer than the agreed capacity may ever be written.
#pragma once

#include <cstddef>

// Capacity, terminating zero included, of parameter names, labels and displays. The
// interface's historical 8 bytes are too small for names like "Sidechain"; every host in
// use provides more, and 16 holds all our names and every display of |value| < 1e10.
constexpr std::size_t kParameterTextCapacity = 16;

// Copies source into destination, cut to capacity - 1 characters and always terminated.
inline void copyHostText(char* destination, std::size_t capacity, const char* source) {
    if (!destination || capacity == 0) return;
    std::size_t length = 0;
    if (source)
        while (length + 1 < capacity && source[length] != '\0') ++length;
    for (std::size_t i = 0; i < length; ++i) destination[i] = source[i];
    destination[length] = '\0';
}

// Writes value with `decimals` fixed decimals, a point as separator whatever the process
// locale (hosts set their own), exactly as printf's "%.*f" rounds. Answers false and
// writes nothing when the text would not fit.
bool writeFixedNumber(char* destination, std::size_t capacity, double value, int decimals);

// The same in scientific notation ("%.*e"), for values whose fixed form is too long.
bool writeScientificNumber(char* destination, std::size_t capacity, double value, int decimals);
