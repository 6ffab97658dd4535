// `marvolenzik-host measure`.
#pragma once

#include "tools/host/Commands.h"

namespace measure {

// Throws ToolError (UsageError for bad options).
int runMeasure(const vsthost::Arguments& arguments);

}  // namespace measure
