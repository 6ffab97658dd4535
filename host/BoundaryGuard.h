// Nothing may be thrown into a host: every entry runs its work through this guard and
// answers `fallback` (the "not handled" answer) if anything escapes.
#pragma once

template <typename Result, typename Work>
Result guardBoundary(Result fallback, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        return fallback;
    }
}
