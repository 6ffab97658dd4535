// What a check answers, and the two ways a check ends early: a failure with its reason,
// or a skip when the plug-in or the machine lacks what the check needs.
#pragma once

#include <stdexcept>
#include <string>

namespace validator {

enum class Verdict { Pass, Fail, Skip };

struct Outcome {
    Verdict verdict;
    std::string reason;
};

class CheckFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CheckSkipped : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& reason);
[[noreturn]] inline void skip(const std::string& reason) { throw CheckSkipped(reason); }

// In a check's own process: where fail() writes its reason at once, before unwinding
// runs any of the plug-in's code again (closing an instance in a broken state may crash,
// and the first reason is the one worth reporting).
void answerFailuresTo(int descriptor);

// How a check's process tells the runner its outcome: one line, a verdict letter and the
// reason with its line breaks flattened.
void sendAnswer(int descriptor, const Outcome& outcome);
// The outcome a line told (not empty, its line break removed).
Outcome readAnswer(const std::string& line);

// printf-style formatting into a string, for reasons.
std::string describe(const char* format, ...) __attribute__((format(printf, 1, 2)));

const char* verdictWord(Verdict verdict);

}  // namespace validator
