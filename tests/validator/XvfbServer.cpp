#include "tests/validator/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace {
constexpr int kStartTimeoutMs = 10000;
}

XvfbServer::XvfbServer() {
    int numberPipe[2];
    if (pipe(numberPipe) != 0) {
        problem_ = "no pipe";
        return;
    }
    const std::string descriptor = std::to_string(numberPipe[1]);
    std::vector<std::string> words{"Xvfb", "-displayfd", descriptor, "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, numberPipe[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(numberPipe[1]);
    if (spawned != 0) {
        server_ = -1;
        close(numberPipe[0]);
        problem_ = "Xvfb is not installed";
        return;
    }
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    pollfd waiting{numberPipe[0], POLLIN, 0};
    while (poll(&waiting, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (read(numberPipe[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(numberPipe[0]);
    if (number.empty()) {
        problem_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    if (running()) unsetenv("DISPLAY");
}
