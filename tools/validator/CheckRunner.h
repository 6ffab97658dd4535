// Runs checks, each in a child process of its own, so that a plug-in that crashes, exits
// or hangs inside a check fails that check and nothing else. Each group of checks has a
// time budget; a check still running when it is spent is killed and fails.
#pragma once

#include <cstdio>
#include <string>

#include "tools/validator/Check.h"
#include "tools/validator/Verdict.h"

namespace validator {

struct Tally {
    int passed = 0;
    int failed = 0;
    int skipped = 0;
};

class CheckRunner {
public:
    CheckRunner(const Environment& environment, double groupBudgetSeconds, std::FILE* report);

    // Runs the group's checks whose names start with `only` (all when empty); answers
    // whether none of them failed.
    bool runGroup(const Group& group, const std::string& only = {});
    // Reports every check of the group as skipped, with the reason.
    void skipGroup(const Group& group, const std::string& reason, const std::string& only = {});

    const Tally& tally() const { return tally_; }

private:
    void report(const Check& check, const Outcome& outcome);

    const Environment& environment_;
    double groupBudgetSeconds_;
    std::FILE* report_;
    Tally tally_;
};

}  // namespace validator
