#include "tests/support/XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// exec with the arguments; only returns on failure.
void execute(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    execvp(pointers[0], pointers.data());
    _exit(127);
}

bool waitWithTimeout(pid_t child, int timeoutMs, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child) return true;
        usleep(2000);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return false;
}

}  // namespace

XServer::XServer() {
    if (const char* current = std::getenv("DISPLAY")) {
        hadDisplay = true;
        previousDisplay = current;
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    const pid_t child = fork();
    if (child == 0) {
        // The server ends with the test, even one that dies without cleaning up.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execute({"Xvfb", "-displayfd", fd, "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                 "-noreset"});
    }
    close(pipeFds[1]);
    if (child < 0) {
        close(pipeFds[0]);
        return;
    }
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    pollfd descriptor{pipeFds[0], POLLIN, 0};
    char c = 0;
    while (poll(&descriptor, 1, 10000) > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty()) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return;
    }
    pid = child;
    displayName = ":" + number;
    setenv("DISPLAY", displayName.c_str(), 1);
}

XServer::~XServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        int status = 0;
        waitWithTimeout(pid, 5000, status);
    }
    if (hadDisplay)
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& input,
                         int timeoutMs, const std::function<void()>& meanwhile) {
    CommandResult result;
    int in[2];
    int out[2];
    if (pipe(in) != 0) return result;
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return result;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        execute(argv);
    }
    close(in[0]);
    close(out[1]);
    if (!input.empty()) {
        signal(SIGPIPE, SIG_IGN);
        [[maybe_unused]] const ssize_t written = write(in[1], input.data(), input.size());
    }
    close(in[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    const auto drain = [&] {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0)
            result.out.append(buffer, static_cast<std::size_t>(n));
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    bool exited = false;
    while (!exited && std::chrono::steady_clock::now() < deadline) {
        pollfd descriptor{out[0], POLLIN, 0};
        poll(&descriptor, 1, 5);
        drain();
        if (meanwhile) meanwhile();
        exited = waitpid(child, &status, WNOHANG) == child;
    }
    if (!exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    drain();
    close(out[0]);
    if (exited && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

bool xdotoolIn(unsigned long window, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    for (const std::string& argument : arguments) {
        command.push_back(argument);
        if (argument == "mousemove") {
            command.push_back("--window");
            command.push_back(std::to_string(window));
        }
    }
    return runCommand(command).exitCode == 0;
}

bool haveProgram(const std::string& name) {
    return runCommand({"sh", "-c", "command -v " + name}, {}, 5000).exitCode == 0;
}

bool xclipOwns(const std::string& text, const std::function<void()>& meanwhile) {
    if (runCommand({"xclip", "-selection", "clipboard"}, text, 10000, meanwhile).exitCode != 0)
        return false;
    for (int attempt = 0; attempt < 100; ++attempt)
        if (runCommand({"xclip", "-selection", "clipboard", "-o"}, {}, 10000, meanwhile).out == text)
            return true;
    return false;
}
