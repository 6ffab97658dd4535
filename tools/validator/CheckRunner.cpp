#include "tools/validator/CheckRunner.h"

#include "tools/validator/Breadcrumb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>

namespace validator {

namespace {

using Clock = std::chrono::steady_clock;

double secondsUntil(Clock::time_point deadline) {
    return std::chrono::duration<double>(deadline - Clock::now()).count();
}

// Runs one check in this process; exceptions become its verdict.
Outcome runCheckHere(const Check& check, const Environment& environment) {
    try {
        CheckContext context(environment, check.name);
        return {Verdict::Pass, check.run(context)};
    } catch (const CheckFailure& failure) {
        return {Verdict::Fail, failure.what()};
    } catch (const CheckSkipped& skipped) {
        return {Verdict::Skip, skipped.what()};
    } catch (const std::exception& error) {
        return {Verdict::Fail, std::string("an exception reached the host: ") + error.what()};
    } catch (...) {
        return {Verdict::Fail, "an exception of unknown type reached the host"};
    }
}

[[noreturn]] void runInChild(int answer, const Check& check, const Environment& environment) {
    // What the plug-in prints goes to stderr, so that the report on stdout stays one line
    // per check.
    dup2(STDERR_FILENO, STDOUT_FILENO);
    answerFailuresTo(answer);
    followThisThread();
    sendAnswer(answer, runCheckHere(check, environment));
    close(answer);
    // A normal exit, so that a plug-in that crashes while unloading, or leaks under the
    // sanitizer, is still caught.
    std::exit(0);
}

std::string endOfProcess(int status) {
    if (WIFSIGNALED(status))
        return describe("crashed with signal %d (%s)", WTERMSIG(status), strsignal(WTERMSIG(status)));
    return describe("the process exited with status %d inside the check", WEXITSTATUS(status));
}

std::string lastStepText() {
    const std::string step = lastStep();
    return step.empty() ? step : "; last step: " + step;
}

bool endedCleanly(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

// Waits for the child until the deadline; false when it is still running then.
bool awaitChild(pid_t child, Clock::time_point deadline, int& status) {
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) return true;
        if (done < 0) {
            status = 0;
            return true;
        }
        if (Clock::now() >= deadline) return false;
        usleep(2000);
    }
}

// Runs one check in a child process, killed after `seconds`.
Outcome runCheckIsolated(const Check& check, const Environment& environment, double seconds) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) return {Verdict::Fail, "cannot create a pipe for the check"};
    std::fflush(nullptr);
    prepareBreadcrumb();
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return {Verdict::Fail, "cannot start a process for the check"};
    }
    if (child == 0) {
        close(channel[0]);
        runInChild(channel[1], check, environment);
    }
    close(channel[1]);

    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::string answer;
    bool ended = false;
    while (!ended) {
        const double left = secondsUntil(deadline);
        if (left <= 0) break;
        pollfd waiting{channel[0], POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left * 1000) + 1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char chunk[512];
        const ssize_t got = read(channel[0], chunk, sizeof chunk);
        if (got > 0)
            answer.append(chunk, static_cast<std::size_t>(got));
        else
            ended = true;
    }
    close(channel[0]);
    answer.resize(std::min(answer.find('\n'), answer.size()));  // the first answer counts

    int status = 0;
    if (!ended || !awaitChild(child, deadline, status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        const std::string hang =
            describe("no end within %.0f s: hung or far too slow (killed)", seconds) + lastStepText();
        if (answer.empty()) return {Verdict::Fail, hang};
        return {Verdict::Fail, readAnswer(answer).reason + "; then " + hang + " while ending the process"};
    }
    if (answer.empty()) return {Verdict::Fail, endOfProcess(status) + lastStepText()};
    const Outcome told = readAnswer(answer);
    if (!endedCleanly(status))
        return {Verdict::Fail, told.reason + "; then, on leaving the process, " + endOfProcess(status)};
    return told;
}

// Whether the check's name starts with one of the comma-separated prefixes in `only`
// (every check when `only` is empty).
bool selected(const Check& check, const std::string& only) {
    if (only.empty()) return true;
    std::size_t start = 0;
    while (start <= only.size()) {
        const std::size_t comma = only.find(',', start);
        const std::string prefix = only.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!prefix.empty() && std::string(check.name).rfind(prefix, 0) == 0) return true;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return false;
}

}  // namespace

CheckRunner::CheckRunner(const Environment& environment, double groupBudgetSeconds, std::FILE* report)
    : environment_(environment), groupBudgetSeconds_(groupBudgetSeconds), report_(report) {}

bool CheckRunner::runGroup(const Group& group, const std::string& only) {
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(groupBudgetSeconds_));
    bool allPassed = true;
    for (const Check& check : group.checks) {
        if (!selected(check, only)) continue;
        const double left = secondsUntil(deadline);
        const Outcome outcome =
            left > 0 ? runCheckIsolated(check, environment_, left)
                     : Outcome{Verdict::Skip, describe("not run: the %s group's budget of %.0f s was spent",
                                                       group.name, groupBudgetSeconds_)};
        if (outcome.verdict == Verdict::Fail) allPassed = false;
        report(check, outcome);
    }
    return allPassed;
}

void CheckRunner::skipGroup(const Group& group, const std::string& reason, const std::string& only) {
    for (const Check& check : group.checks)
        if (selected(check, only)) report(check, {Verdict::Skip, reason});
}

void CheckRunner::report(const Check& check, const Outcome& outcome) {
    switch (outcome.verdict) {
        case Verdict::Pass: ++tally_.passed; break;
        case Verdict::Fail: ++tally_.failed; break;
        case Verdict::Skip: ++tally_.skipped; break;
    }
    std::fprintf(report_, "%s  %-36s %s\n", verdictWord(outcome.verdict), check.name, outcome.reason.c_str());
    std::fflush(report_);
}

}  // namespace validator
