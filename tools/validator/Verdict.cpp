#include "tools/validator/Verdict.h"

#include <cstdarg>
#include <cstdio>

#include <unistd.h>

namespace validator {

namespace {
int failureAnswer = -1;
}

void answerFailuresTo(int descriptor) { failureAnswer = descriptor; }

void fail(const std::string& reason) {
    if (failureAnswer >= 0) {
        std::string line = "F";
        for (const char c : reason) line += (c == '\n' || c == '\r') ? ' ' : c;
        line += '\n';
        if (write(failureAnswer, line.data(), line.size()) < 0) {
            // The runner then reports the process's end instead.
        }
    }
    throw CheckFailure(reason);
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
