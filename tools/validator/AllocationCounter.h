// Counts the heap allocations and releases one thread makes while counting is on, so that
// a check can tell whether a plug-in allocates inside its process call. In a normal build
// the counting allocator functions of this executable take the place of the C library's
// for the whole process, the plug-in included; under a sanitizer, whose allocator cannot
// be replaced, the sanitizer's allocation hooks count instead.
#pragma once

namespace validator {

struct AllocationCount {
    long allocations = 0;
    long releases = 0;

    bool any() const { return allocations + releases > 0; }
    AllocationCount& operator+=(const AllocationCount& more) {
        allocations += more.allocations;
        releases += more.releases;
        return *this;
    }
};

class AllocationCounter {
public:
    // Whether this build can count at all (the hooks may be missing from a sanitizer).
    static bool available();
    // Counts the calling thread's allocations until stop().
    static void start();
    static AllocationCount stop();
};

}  // namespace validator
