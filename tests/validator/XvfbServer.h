// An Xvfb server of the test's own, on a display number the server picks itself (so
// that tests running side by side never collide), with DISPLAY pointing at it for the
// processes the test starts. Stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }
    // Why there is no server, when there is none.
    const std::string& problem() const { return problem_; }

private:
    pid_t server_ = -1;
    std::string display_;
    std::string problem_;
};
