// A one-line progress bar with elapsed and remaining time on a terminal; redrawn at most
// ten times a second, wiped when done.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace vsthost {

class ProgressBar {
public:
    // Draws only when `enabled` and `out` is a terminal. `totalFrames` of 0 or less (a
    // length the file does not tell) shows the frames done without a bar.
    ProgressBar(std::FILE* out, bool enabled, std::int64_t totalFrames);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(std::int64_t framesDone);
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    std::FILE* out_;
    bool active_;
    std::int64_t totalFrames_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
};

}  // namespace vsthost
