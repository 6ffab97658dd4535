// `info` for an LV2 plug-in: what lilv reads of its description, and its ports.
#pragma once

#include <string>

namespace vsthost {

// Prints what a host learns when it scans the plug-in; the exit code.
int printLv2Info(const std::string& location);

}  // namespace vsthost
