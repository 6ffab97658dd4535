// The other threads of a host: an audio thread processing block after block, and a
// thread changing parameters (automation, a control surface), each until stopped.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "tools/validator/TestedPlugin.h"

namespace validator {

class AudioThread {
public:
    // The plug-in must have been started (rate, block size, resume).
    AudioThread(TestedPlugin& plugin, std::uint64_t seed, int block = 256);
    ~AudioThread();
    // Joins; fails the check with the first problem of the output, if any.
    void stop();
    long blocks() const { return blocks_.load(); }

private:
    void run(std::uint64_t seed, int block);

    TestedPlugin& plugin_;
    std::atomic<bool> stopping_{false};
    std::atomic<long> blocks_{0};
    std::string problem_;
    std::thread thread_;
};

class ParameterThread {
public:
    // Sets random values in 0..1 on random parameters and reads them back, as fast as
    // it can; fails the check from stop() when a value read back is not finite.
    ParameterThread(TestedPlugin& plugin, std::uint64_t seed);
    ~ParameterThread();
    void stop();
    long changes() const { return changes_.load(); }

private:
    TestedPlugin& plugin_;
    std::atomic<bool> stopping_{false};
    std::atomic<long> changes_{0};
    std::string problem_;
    std::thread thread_;
};

}  // namespace validator
