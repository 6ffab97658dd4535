// `info` for a CLAP plug-in: its descriptor, ports, latency, editor and parameters.
#pragma once

#include <string>

namespace vsthost {

// Prints what a host learns when it scans the plug-in; the exit code.
int printClapInfo(const std::string& path);

}  // namespace vsthost
