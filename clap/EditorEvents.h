// What the editor sends to a host that takes changes only from its audio calls: edit
// gestures and values, queued on the window's thread and taken, in order, by whichever
// thread the host runs its audio (or flush) call on. One writer, one reader at a time;
// no locks, no allocation.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

class EditorEvents {
public:
    enum class Kind : uint8_t { gestureBegin, value, gestureEnd };
    struct Event {
        Kind kind;
        uint32_t parameter;
        double value;  // the real value, for Kind::value
    };

    // The window's thread. A full queue drops values first: a gesture keeps room for its
    // end, so that no host is left with a gesture that never ends.
    bool push(const Event& event) {
        const uint32_t head = head_.load(std::memory_order_relaxed);
        const uint32_t used = head - tail_.load(std::memory_order_acquire);
        const uint32_t needed = event.kind == Kind::gestureEnd ? 1 : event.kind == Kind::gestureBegin ? 2 : 3;
        if (kCapacity - used < needed) return false;
        events_[head % kCapacity] = event;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    // The audio (or flush) call: hands each queued event to `take` until it answers false
    // (the host's list is full); what it refused stays for the next call.
    template <typename Take>
    void drain(Take&& take) {
        uint32_t tail = tail_.load(std::memory_order_relaxed);
        const uint32_t head = head_.load(std::memory_order_acquire);
        while (tail != head && take(events_[tail % kCapacity])) ++tail;
        tail_.store(tail, std::memory_order_release);
    }

    bool empty() const {
        return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
    }

private:
    static constexpr uint32_t kCapacity = 1024;  // a power of two: indices wrap with the counters
    std::array<Event, kCapacity> events_{};
    std::atomic<uint32_t> head_{0};
    std::atomic<uint32_t> tail_{0};
};
