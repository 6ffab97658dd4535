// A private X server (Xvfb) for tests that need real windows and real input, and the
// command-line clients (xdotool, xclip) that act on it as a user or another program would.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class XServer {
public:
    // Starts Xvfb on a free display and points DISPLAY at it; ok() tells whether it runs.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool ok() const { return pid > 0; }
    const std::string& display() const { return displayName; }

private:
    pid_t pid = -1;
    std::string displayName;
    std::string previousDisplay;
    bool hadDisplay = false;
};

struct CommandResult {
    int exitCode = -1;
    std::string out;
};

// Runs a program (found on PATH) with arguments, feeding `input` to its standard input,
// and waits for it, at most `timeoutMs`, calling `meanwhile` every few milliseconds (a
// test serves its own windows there while a client talks to them). Output that a
// background child of the program writes after the program ended is not waited for.
CommandResult runCommand(const std::vector<std::string>& argv, const std::string& input = {},
                         int timeoutMs = 10000, const std::function<void()>& meanwhile = {});
// Runs xdotool with the arguments, its mouse positions taken relative to `window`; true
// when it succeeded.
bool xdotoolIn(unsigned long window, const std::vector<std::string>& arguments);
// True when a program of that name is on PATH.
bool haveProgram(const std::string& name);

// Puts `text` on the CLIPBOARD selection through xclip, and returns once xclip answers with
// it (its owner process starts after the command itself has ended). False on failure.
bool xclipOwns(const std::string& text, const std::function<void()>& meanwhile = {});
