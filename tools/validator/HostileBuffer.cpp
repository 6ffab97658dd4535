#include "tools/validator/HostileBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include <new>

namespace validator {

namespace {
constexpr std::uint8_t kCanary = 0xC5;
}

HostileBuffer::HostileBuffer(std::size_t size) : size_(size) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t used = size + 2 * kCanaryBytes;
    const std::size_t pages = (used + page - 1) / page;
    mappingSize_ = (pages + 1) * page;
    void* mapping = mmap(nullptr, mappingSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    mapping_ = static_cast<std::uint8_t*>(mapping);
    std::uint8_t* guard = mapping_ + pages * page;
    mprotect(guard, page, PROT_NONE);
    data_ = guard - kCanaryBytes - size_;
    std::memset(data_ - kCanaryBytes, kCanary, kCanaryBytes);
    std::memset(data_ + size_, kCanary, kCanaryBytes);
    fillZero();
}

HostileBuffer::~HostileBuffer() {
    if (mapping_) munmap(mapping_, mappingSize_);
}

void HostileBuffer::fillZero() { std::memset(data_, 0, size_); }

const char* HostileBuffer::damagedCanary() const {
    for (std::size_t i = 0; i < kCanaryBytes; ++i) {
        if (data_[size_ + i] != kCanary) return "past the end of";
        if (data_[-static_cast<std::ptrdiff_t>(kCanaryBytes) + static_cast<std::ptrdiff_t>(i)] != kCanary)
            return "before the start of";
    }
    return nullptr;
}

}  // namespace validator
