// The read-out line's texts for a parameter control: one when the user changes it, one
// when the mouse rests on it.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ReadoutOccasion { changed, hovered };

// Formats the message for the control of `tag` (0 to 10) showing `value` into `text`
// (always terminated); false, and an empty text, for any other tag.
bool formatReadout(int32_t tag, float value, ReadoutOccasion occasion, char* text,
                   std::size_t capacity);
