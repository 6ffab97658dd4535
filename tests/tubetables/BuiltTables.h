// The forty tube tables built from the generated coefficient data by the plug-in's own
// build code, once per test program.
#pragma once

#include "dsp/TubeTables.h"

namespace tubetablestest {

const dsp::TubeTables& builtTables();

}  // namespace tubetablestest
