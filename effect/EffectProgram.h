// One program: a second copy of the 24 parameter values, and a name. The values are
// written by setParameter from host threads, hence atomic like the effect's own.
#pragma once

#include <atomic>

#include "effect/Parameters.h"

struct EffectProgram {
    // Zero-terminated, at most 23 characters.
    static constexpr int kNameBytes = 24;

    std::atomic<float> values[parameter::kCount];
    char name[kNameBytes];
};
static_assert(std::atomic<float>::is_always_lock_free);
