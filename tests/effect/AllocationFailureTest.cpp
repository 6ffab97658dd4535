// Construction that runs out of memory at any of its allocations: the entry answers
// null and every allocation made on the way has been released. The program replaces the
// global allocation functions, which the plug-in's own calls bind to once it is loaded.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tools/host/PluginLibrary.h"

namespace {
std::atomic<long> allocationsUntilFailure{-1};  // -1: never fail
std::atomic<long> liveAllocations{0};
std::atomic<long> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
    allocationCount.fetch_add(1);
    if (allocationsUntilFailure.load() == 0) throw std::bad_alloc();
    if (allocationsUntilFailure.load() > 0) allocationsUntilFailure.fetch_sub(1);
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    liveAllocations.fetch_add(1);
    return block;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept {
    if (!block) return;
    liveAllocations.fetch_sub(1);
    std::free(block);
}
void operator delete[](void* block) noexcept { ::operator delete(block); }
void operator delete(void* block, std::size_t) noexcept { ::operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { ::operator delete(block); }

namespace {

// A host that allocates nothing itself, so that every counted allocation is the plug-in's.
VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

TEST(AllocationFailure, EveryFailingAllocationGivesNullAndLeaksNothing) {
    vsthost::PluginLibrary library(MARVOLENZIK_PLUGIN_PATH);
    ASSERT_TRUE(library.ok()) << library.error();

    // How many allocations a successful construction makes.
    const long countBefore = allocationCount.load();
    AEffect* effect = library.entry()(&quietHost);
    ASSERT_NE(effect, nullptr);
    const long constructionAllocations = allocationCount.load() - countBefore;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    ASSERT_GE(constructionAllocations, 1);

    for (long failing = 0; failing < constructionAllocations; ++failing) {
        SCOPED_TRACE(failing);
        const long liveBefore = liveAllocations.load();
        allocationsUntilFailure = failing;
        AEffect* failed = library.entry()(&quietHost);
        allocationsUntilFailure = -1;
        EXPECT_EQ(failed, nullptr);
        EXPECT_EQ(liveAllocations.load(), liveBefore);
    }
}

}  // namespace
