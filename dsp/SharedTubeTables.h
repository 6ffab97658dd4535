// One copy of the tube tables per process: every signal path reads the same ~7 MB, built
// once by whichever instance comes first and released with the last one.
#pragma once

#include <memory>

#include "dsp/TubeTableData.h"
#include "dsp/TubeTables.h"

namespace dsp {

// The tables of the library's coefficient data. Safe to call from several threads at
// once: the first caller builds them under a lock, the others wait and share them.
// Locks and may allocate, so never call it while processing audio.
std::shared_ptr<const TubeTables> sharedTubeTables();

// A private copy built from other coefficient data (tests, tools).
std::shared_ptr<const TubeTables> buildTubeTables(const TubeTableCoefficients& data);

}  // namespace dsp
