#include "tools/validator/Random.h"

namespace validator {

namespace {

// FNV-1a: stable across runs and builds, unlike std::hash.
std::uint64_t nameHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

Random::Random(std::uint64_t runSeed, std::string_view checkName)
    : engine_(runSeed ^ nameHash(checkName)) {}

}  // namespace validator
