// Random numbers for the checks. Each check draws from its own generator, seeded from
// the run's seed and the check's name, so that any check reproduces alone with the seed.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>

namespace validator {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    Random(std::uint64_t runSeed, std::string_view checkName);

    // Inclusive bounds.
    int integer(int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(engine_);
    }
    float uniform(float lowest, float highest) {
        return std::uniform_real_distribution<float>(lowest, highest)(engine_);
    }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(engine_); }
    std::uint64_t bits() { return engine_(); }

private:
    std::mt19937_64 engine_;
};

}  // namespace validator
