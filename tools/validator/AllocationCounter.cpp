#include "tools/validator/AllocationCounter.h"

#include <cerrno>
#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VALIDATOR_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VALIDATOR_SANITIZED 1
#endif

namespace validator {

namespace {

// Zero-initialised thread-locals of the executable: usable from the first allocation on,
// before any constructor has run.
thread_local bool counting = false;
thread_local long allocations = 0;
thread_local long releases = 0;

void noteAllocation(const volatile void* block) {
    if (counting && block) ++allocations;
}

void noteRelease(const volatile void* block) {
    if (counting && block) ++releases;
}

}  // namespace

void AllocationCounter::start() {
    allocations = 0;
    releases = 0;
    counting = true;
}

AllocationCount AllocationCounter::stop() {
    counting = false;
    return {allocations, releases};
}

}  // namespace validator

#ifdef VALIDATOR_SANITIZED

extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*mallocHook)(const volatile void*, std::size_t), void (*freeHook)(const volatile void*));

namespace validator {

namespace {
void mallocHook(const volatile void* block, std::size_t) { noteAllocation(block); }
const bool hooksInstalled =
    __sanitizer_install_malloc_and_free_hooks(&mallocHook, &noteRelease) != 0;
}  // namespace

bool AllocationCounter::available() { return hooksInstalled; }

}  // namespace validator

#else

// glibc's allocator under its internal names; the public names below replace it for
// every library in the process, as glibc allows.
extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* block);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void* __libc_valloc(std::size_t size);
void* __libc_pvalloc(std::size_t size);
}

namespace validator {
bool AllocationCounter::available() { return true; }
}  // namespace validator

using validator::noteAllocation;
using validator::noteRelease;

extern "C" {

void* malloc(std::size_t size) {
    void* block = __libc_malloc(size);
    noteAllocation(block);
    return block;
}

void free(void* block) {
    noteRelease(block);
    __libc_free(block);
}

void* calloc(std::size_t count, std::size_t size) {
    void* block = __libc_calloc(count, size);
    noteAllocation(block);
    return block;
}

void* realloc(void* block, std::size_t size) {
    void* moved = __libc_realloc(block, size);
    noteAllocation(moved);
    return moved;
}

void* memalign(std::size_t alignment, std::size_t size) {
    void* block = __libc_memalign(alignment, size);
    noteAllocation(block);
    return block;
}

void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }

int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* block = memalign(alignment, size);
    if (!block) return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(std::size_t size) {
    void* block = __libc_valloc(size);
    noteAllocation(block);
    return block;
}

void* pvalloc(std::size_t size) {
    void* block = __libc_pvalloc(size);
    noteAllocation(block);
    return block;
}

}  // extern "C"

#endif
