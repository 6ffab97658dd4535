// The memory behind a request's pointer argument when requests are fuzzed: a generous
// buffer between two runs of canary bytes, with an unmapped page right after the last,
// so that a write just past either end shows and a read far past the end crashes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace validator {

class HostileBuffer {
public:
    static constexpr std::size_t kCanaryBytes = 64;

    // `size` a multiple of 64. Throws std::bad_alloc when there is no memory for it.
    explicit HostileBuffer(std::size_t size);
    ~HostileBuffer();
    HostileBuffer(const HostileBuffer&) = delete;
    HostileBuffer& operator=(const HostileBuffer&) = delete;

    std::uint8_t* data() { return data_; }
    std::size_t size() const { return size_; }

    void fillZero();

    // Empty when both canaries are intact, else which one was written.
    const char* damagedCanary() const;

private:
    std::uint8_t* mapping_ = nullptr;
    std::size_t mappingSize_ = 0;
    std::uint8_t* data_ = nullptr;
    std::size_t size_;
};

}  // namespace validator
