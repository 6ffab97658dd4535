// The last step a check's process took (the last request sent, the last block), kept in
// memory shared with the runner, so that a check that crashes or hangs can be reported
// with where it happened.
#pragma once

#include <string>

namespace validator {

// In the runner, before starting a check's process: a fresh, empty breadcrumb.
void prepareBreadcrumb();
// In the check's process: the thread whose steps are noted (the host's user-interface
// thread; the audio and parameter threads leave no trail).
void followThisThread();
void noteStep(const char* format, ...) __attribute__((format(printf, 1, 2)));
// In the runner, after the process ended: the last step noted, or an empty text.
std::string lastStep();

}  // namespace validator
