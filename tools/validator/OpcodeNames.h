// Names of the requests a host sends, for reports ("effSetProgram").
#pragma once

#include <string>

namespace validator {

// "effSetProgram (2)", or "opcode 93" for numbers VST 2.4 does not define.
std::string opcodeText(int opcode);

}  // namespace validator
