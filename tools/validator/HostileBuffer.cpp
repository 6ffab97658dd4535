#include "tools/validator/HostileBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "tools/validator/Verdict.h"

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
    if (mapping == MAP_FAILED) fail("cannot map memory for the request buffer");
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

void HostileBuffer::fillText(Random& random) {
    const int longest = random.chance(0.2) ? static_cast<int>(size_) - 1 : 64;
    const int length = random.integer(0, longest);
    for (int i = 0; i < length; ++i) data_[i] = static_cast<std::uint8_t>(random.integer(32, 126));
    std::memset(data_ + length, 0, size_ - static_cast<std::size_t>(length));
}

void HostileBuffer::fillBytes(Random& random) {
    for (std::size_t i = 0; i < size_; i += 8) {
        const std::uint64_t bits = random.bits();
        std::memcpy(data_ + i, &bits, sizeof bits);
    }
    data_[size_ - 1] = 0;
}

const char* HostileBuffer::damagedCanary() const {
    for (std::size_t i = 0; i < kCanaryBytes; ++i) {
        if (data_[size_ + i] != kCanary) return "past the end of";
        if (data_[-static_cast<std::ptrdiff_t>(kCanaryBytes) + static_cast<std::ptrdiff_t>(i)] != kCanary)
            return "before the start of";
    }
    return nullptr;
}

}  // namespace validator
