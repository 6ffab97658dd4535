#include "tools/validator/Verdict.h"

#include <cstdarg>
#include <cstdio>

#include <unistd.h>

namespace validator {

namespace {

int failureAnswer = -1;

char verdictCode(Verdict verdict) {
    return verdict == Verdict::Pass ? 'P' : verdict == Verdict::Skip ? 'S' : 'F';
}

}  // namespace

void answerFailuresTo(int descriptor) { failureAnswer = descriptor; }

void fail(const std::string& reason) {
    if (failureAnswer >= 0) sendAnswer(failureAnswer, {Verdict::Fail, reason});
    throw CheckFailure(reason);
}

void sendAnswer(int descriptor, const Outcome& outcome) {
    std::string line(1, verdictCode(outcome.verdict));
    for (const char c : outcome.reason) line += (c == '\n' || c == '\r') ? ' ' : c;
    line += '\n';
    // When the line cannot be written, the runner reports the process's end instead.
    for (std::size_t done = 0; done < line.size();) {
        const ssize_t written = write(descriptor, line.data() + done, line.size() - done);
        if (written <= 0) return;
        done += static_cast<std::size_t>(written);
    }
}

Outcome readAnswer(const std::string& line) {
    return {line[0] == 'P' ? Verdict::Pass : line[0] == 'S' ? Verdict::Skip : Verdict::Fail, line.substr(1)};
}

std::string describe(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

const char* verdictWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return "PASS";
        case Verdict::Fail: return "FAIL";
        case Verdict::Skip: return "SKIP";
    }
    return "?";
}

}  // namespace validator
