// The commands of marvolenzik-host. Each takes the arguments after its name and returns
// the process exit code.
#pragma once

#include <string>
#include <vector>

namespace vsthost {

using Arguments = std::vector<std::string>;

int runInfo(const Arguments& arguments);
int runTone(const Arguments& arguments);
// These throw ToolError (UsageError for bad options) rather than printing.
int runRender(const Arguments& arguments);
int runBench(const Arguments& arguments);
int runGui(const Arguments& arguments);

}  // namespace vsthost
