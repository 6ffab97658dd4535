#include "tools/validator/BackgroundWork.h"

#include <cmath>

#include "tools/validator/Verdict.h"

namespace validator {

AudioThread::AudioThread(TestedPlugin& plugin, std::uint64_t seed, int block)
    : plugin_(plugin), thread_([this, seed, block] { run(seed, block); }) {}

AudioThread::~AudioThread() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
}

void AudioThread::run(std::uint64_t seed, int block) {
    Random random(seed);
    AudioBuffers buffers = plugin_.makeBuffers(block);
    try {
        while (!stopping_.load()) {
            fillQuietNoise(buffers, block, random);
            requireFinite(plugin_.process(buffers, block, "on the audio thread"), "on the audio thread");
            ++blocks_;
        }
    } catch (const CheckFailure& failure) {
        problem_ = failure.what();
    }
}

void AudioThread::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (!problem_.empty()) fail(problem_);
}

ParameterThread::ParameterThread(TestedPlugin& plugin, std::uint64_t seed)
    : plugin_(plugin), thread_([this, seed] {
          Random random(seed);
          const int count = plugin_.parameterCount();
          if (count == 0) return;
          while (!stopping_.load()) {
              const int index = random.integer(0, count - 1);
              plugin_.setParameter(index, random.uniform(0.0f, 1.0f));
              const float read = plugin_.getParameter(random.integer(0, count - 1));
              if (!std::isfinite(read) && problem_.empty())
                  problem_ = describe("getParameter answered %g on another thread", static_cast<double>(read));
              if (++changes_ % 64 == 0) std::this_thread::yield();
          }
      }) {}

ParameterThread::~ParameterThread() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
}

void ParameterThread::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (!problem_.empty()) fail(problem_);
}

}  // namespace validator
