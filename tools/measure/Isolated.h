// Work that runs plug-ins, done in a child process, so that a plug-in that crashes ends
// the child and the tool reports it, naming what was being measured, instead of dying
// with it.
#pragma once

#include <functional>
#include <string>

namespace measure {

// Runs `work` in a child process and answers its result (its exit status). When the child
// is killed by a signal, throws ToolError with the signal and the last thing reported.
int runIsolated(const std::function<int()>& work);

// In the child: what to name should it die now ("ZamComp while measuring the static curve").
void reportDoing(const std::string& doing);

}  // namespace measure
