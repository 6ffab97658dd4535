#include "tools/measure/Isolated.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tools/host/ToolError.h"

namespace measure {

namespace {

int reportDescriptor = -1;

}  // namespace

void reportDoing(const std::string& doing) {
    if (reportDescriptor < 0) return;
    const std::string line = doing + "\n";
    for (std::size_t written = 0; written < line.size();) {
        const ssize_t n = ::write(reportDescriptor, line.data() + written, line.size() - written);
        if (n <= 0) return;
        written += static_cast<std::size_t>(n);
    }
}

int runIsolated(const std::function<int()>& work) {
    int pipe[2];
    if (::pipe(pipe) != 0) throw vsthost::ToolError(std::string("cannot make a pipe: ") + std::strerror(errno));
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw vsthost::ToolError(std::string("cannot start a process: ") + std::strerror(errno));
    if (child == 0) {
        ::close(pipe[0]);
        reportDescriptor = pipe[1];
        int status = 1;
        try {
            status = work();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "marvolenzik-host measure: %s\n", error.what());
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    ::close(pipe[1]);
    // The last line the child reported before it ended.
    std::string last, partial;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        partial.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1))
            last = partial.substr(0, end);
    }
    ::close(pipe[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        throw vsthost::ToolError(std::string("the plug-in crashed (") + strsignal(WTERMSIG(status)) + ")" +
                                 (last.empty() ? "" : ": " + last));
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace measure
