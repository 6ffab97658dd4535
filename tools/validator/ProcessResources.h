// What this process holds, to notice a plug-in that leaks per editor opening or piles
// up events: resident memory and open file descriptors.
#pragma once

#include <cstddef>

namespace validator {

std::size_t residentBytes();
int openDescriptors();

}  // namespace validator
