// One audio call on buffers the checks inspect afterwards, in any format: the inputs
// remembered and the outputs poisoned before, the allocations inside it counted on demand,
// and every rule of the buffers checked after.
#pragma once

#include <string>

#include "tools/validator/AllocationCounter.h"
#include "tools/validator/AudioBuffers.h"
#include "tools/validator/Breadcrumb.h"
#include "tools/validator/Signals.h"
#include "tools/validator/Verdict.h"

namespace validator {

// Runs `call` (the plug-in's audio call) on `buffers`; fails the check, naming
// `situation`, when it broke a rule of the buffers.
template <typename Call>
OutputScan runCheckedBlock(AudioBuffers& buffers, int frames, const std::string& situation,
                           AllocationCount* allocations, Call&& call) {
    buffers.arm();
    if (allocations) AllocationCounter::start();
    call();
    if (allocations) *allocations = AllocationCounter::stop();
    const std::string broken = buffers.inspect(frames);
    if (!broken.empty()) fail(situation + ": " + broken);
    return scanOutputs(buffers, frames);
}

// Fails the check, naming `situation`, unless the block's output is sane.
inline void requireSane(const OutputScan& scan, const std::string& situation) {
    const std::string problem = saneOutputProblem(scan);
    if (!problem.empty()) fail(situation + ": " + problem);
}

}  // namespace validator
