// One program: a second copy of the 24 parameter values, and a name. The values are
// written by setParameter from host threads, hence atomic like the effect's own.
#pragma once

#include <atomic>

#include "effect/ParameterTable.h"
#include "host/VstInterface.h"

struct EffectProgram {
    std::atomic<float> values[kParameterCount];
    char name[kVstMaxProgNameLen];
};
static_assert(std::atomic<float>::is_always_lock_free);
