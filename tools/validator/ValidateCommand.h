// `validate [--seed N] [--budget SECONDS] [--only CHECKS] [PLUGIN.so]`: checks any VST 2.4
// plug-in against what hosts do to it. Prints one line per check and a final count;
// answers the process exit code (0 only when no check failed). Bad options throw
// vsthost::UsageError, as with the host's other commands.
#pragma once

#include <string>
#include <vector>

namespace validator {

int runValidate(const std::vector<std::string>& arguments, const std::string& defaultPlugin);

}  // namespace validator
