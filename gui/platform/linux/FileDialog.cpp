// The file dialog on Linux: zenity, or kdialog where zenity is missing, run as a child
// process while the caller waits and keeps its window painted. The programs are looked
// for on PATH (absolute folders only) at each call.
#include "gui/platform/FileDialog.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

extern char** environ;

namespace VSTGUI::platform {
namespace {

// Longer than any path the system can open: more output than this is not a path.
constexpr std::size_t kLongestOutput = 4096;
constexpr int kWaitSliceMs = 20;
// zenity 3.91 dropped --confirm-overwrite (its save dialog confirms by itself since).
struct Version {
    int major, minor;
};
constexpr Version kZenityWithoutConfirmOption{3, 91};

std::optional<std::string> findProgram(const char* name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        start = end + 1;
        // A relative folder would name a file in the host's working folder.
        if (folder.empty() || folder[0] != '/') continue;
        const std::string candidate = folder + "/" + name;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

struct ChildRun {
    bool started = false;
    std::optional<int> exitCode;  // none when killed by a signal or reaped by someone else
    std::string output;           // standard output, at most kLongestOutput bytes
    bool outputTooLong = false;
};

// The environment, with WINDOWID set to the parent window or removed.
std::vector<std::string> childEnvironment(uintptr_t parentWindow) {
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry)
        if (std::strncmp(*entry, "WINDOWID=", 9) != 0) entries.emplace_back(*entry);
    if (parentWindow != 0) entries.push_back("WINDOWID=" + std::to_string(parentWindow));
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The running child and its output pipe, ended and reaped whatever happens to the wait.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        if (output_ >= 0) close(output_);
    }

    bool start(const std::string& program, std::vector<std::string> arguments,
               std::vector<std::string> environment) {
        int pipe[2];
        if (pipe2(pipe, O_CLOEXEC) != 0) return false;
        output_ = pipe[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        // Nothing else of the host's (its X connection, audio devices) reaches the dialog.
        posix_spawn_file_actions_addclosefrom_np(&actions, 3);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        for (int signal : {SIGPIPE, SIGINT, SIGTERM, SIGCHLD, SIGHUP}) sigaddset(&signals, signal);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        // posix_spawn rather than fork: no copy of a large host's memory, and nothing but
        // the exec runs in the child.
        const int failed = posix_spawn(&pid_, program.c_str(), &actions, &attributes,
                                       pointersTo(arguments).data(),
                                       pointersTo(environment).data());
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        close(pipe[1]);
        if (failed != 0) {
            pid_ = -1;
            return false;
        }
        fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);
        return true;
    }

    // Waits for the child to end, reading its output meanwhile and calling `whileWaiting`
    // every slice.
    void wait(ChildRun& run, const std::function<void()>& whileWaiting) {
        auto lastCall = std::chrono::steady_clock::now();
        for (;;) {
            pollfd readable{outputOpen_ ? output_ : -1, POLLIN, 0};
            poll(&readable, 1, kWaitSliceMs);
            readOutput(run);
            int status = 0;
            const pid_t ended = waitpid(pid_, &status, WNOHANG);
            const bool reapedHere = ended == pid_;
            if (reapedHere || (ended < 0 && errno == ECHILD)) {
                pid_ = -1;
                readOutput(run);
                if (reapedHere && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
                // A host that ignores SIGCHLD, or reaps every child itself, leaves no
                // status: the dialogs print a path only when one was chosen.
                if (!reapedHere && !run.output.empty()) run.exitCode = 0;
                return;
            }
            const auto now = std::chrono::steady_clock::now();
            if (whileWaiting && now - lastCall >= std::chrono::milliseconds(kWaitSliceMs)) {
                lastCall = now;
                whileWaiting();
            }
        }
    }

private:
    // What is there to read now; beyond kLongestOutput it is read and dropped, so that
    // the child never blocks on a full pipe.
    void readOutput(ChildRun& run) {
        char chunk[4096];
        while (outputOpen_) {
            const ssize_t got = read(output_, chunk, sizeof chunk);
            if (got > 0) {
                const std::size_t room = kLongestOutput - run.output.size();
                const std::size_t kept = std::min(room, static_cast<std::size_t>(got));
                run.output.append(chunk, kept);
                if (kept < static_cast<std::size_t>(got)) run.outputTooLong = true;
            } else if (got == 0) {
                outputOpen_ = false;
            } else if (errno != EINTR) {
                return;  // nothing more for now
            }
        }
    }

    pid_t pid_ = -1;
    int output_ = -1;
    bool outputOpen_ = true;
};

ChildRun runChild(const std::string& program, std::vector<std::string> arguments,
                  uintptr_t parentWindow, const std::function<void()>& whileWaiting) {
    ChildRun run;
    Child child;
    run.started = child.start(program, std::move(arguments), childEnvironment(parentWindow));
    if (run.started) child.wait(run, whileWaiting);
    return run;
}

bool zenityHasConfirmOption(const std::string& zenity,
                            const std::function<void()>& whileWaiting) {
    const ChildRun run = runChild(zenity, {"zenity", "--version"}, 0, whileWaiting);
    int major = 0;
    int minor = 0;
    if (run.exitCode != 0 || std::sscanf(run.output.c_str(), "%d.%d", &major, &minor) != 2)
        return false;  // unknown: an option it may not know would fail the dialog
    return major < kZenityWithoutConfirmOption.major ||
           (major == kZenityWithoutConfirmOption.major && minor < kZenityWithoutConfirmOption.minor);
}

std::vector<std::string> zenityArguments(const FileDialogRequest& request, bool confirmOption) {
    std::vector<std::string> arguments{"zenity", "--file-selection", "--title=" + request.title,
                                       "--file-filter=" + request.filterName + " | " +
                                           request.filterPattern};
    if (request.save) {
        arguments.push_back("--save");
        if (confirmOption) arguments.push_back("--confirm-overwrite");
    }
    if (!request.startPath.empty() && request.startPath[0] == '/')
        arguments.push_back("--filename=" + request.startPath);
    return arguments;
}

std::vector<std::string> kdialogArguments(const FileDialogRequest& request) {
    std::vector<std::string> arguments{"kdialog"};
    if (request.parentWindow != 0) {
        arguments.push_back("--attach");
        arguments.push_back(std::to_string(request.parentWindow));
    }
    arguments.push_back("--title");
    arguments.push_back(request.title);
    arguments.push_back(request.save ? "--getsavefilename" : "--getopenfilename");
    // kdialog needs a start folder before the filter; it confirms overwriting by itself.
    const char* home = std::getenv("HOME");
    if (!request.startPath.empty() && request.startPath[0] == '/')
        arguments.push_back(request.startPath);
    else
        arguments.push_back(home && home[0] == '/' ? home : "/");
    arguments.push_back(request.filterName + " (" + request.filterPattern + ")");
    return arguments;
}

FileDialogOutcome outcomeOf(const ChildRun& run, std::string& chosenPath) {
    if (run.exitCode != 0 || run.outputTooLong) return FileDialogOutcome::cancelled;
    std::string path = run.output.substr(0, run.output.find('\n'));
    if (!path.empty() && path.back() == '\r') path.pop_back();
    if (path.empty() || path.find('\0') != std::string::npos) return FileDialogOutcome::cancelled;
    chosenPath = path;
    return FileDialogOutcome::chosen;
}

}  // namespace

bool fileDialogAvailable() { return findProgram("zenity") || findProgram("kdialog"); }

FileDialogOutcome runFileDialog(const FileDialogRequest& request, std::string& chosenPath,
                                const std::function<void()>& whileWaiting) {
    if (const auto zenity = findProgram("zenity")) {
        const bool confirmOption = request.save && zenityHasConfirmOption(*zenity, whileWaiting);
        const ChildRun run = runChild(*zenity, zenityArguments(request, confirmOption),
                                      request.parentWindow, whileWaiting);
        if (run.started) return outcomeOf(run, chosenPath);
    }
    if (const auto kdialog = findProgram("kdialog")) {
        const ChildRun run =
            runChild(*kdialog, kdialogArguments(request), request.parentWindow, whileWaiting);
        if (run.started) return outcomeOf(run, chosenPath);
    }
    return FileDialogOutcome::unavailable;
}

}  // namespace VSTGUI::platform
