#include "tools/host/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace vsthost {

namespace {

constexpr int kBarWidth = 32;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string clockText(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, bool enabled, std::int64_t totalFrames)
    : out_(out),
      active_(enabled && ::isatty(::fileno(out))),
      totalFrames_(totalFrames),
      start_(Clock::now()),
      lastDrawn_(start_) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::update(std::int64_t framesDone) {
    if (!active_) return;
    const auto now = Clock::now();
    if (now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    if (totalFrames_ <= 0) {
        std::fprintf(out_, "\r%lld frames  elapsed %s", static_cast<long long>(framesDone),
                     clockText(elapsed).c_str());
    } else {
        const double done = std::clamp(static_cast<double>(framesDone) / totalFrames_, 0.0, 1.0);
        const int filled = static_cast<int>(done * kBarWidth);
        const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
        const std::string remaining = done > 0.0 ? clockText(elapsed * (1.0 - done) / done) : "?";
        std::fprintf(out_, "\r[%s] %3d%%  elapsed %s  remaining %s", bar.c_str(),
                     static_cast<int>(done * 100.0), clockText(elapsed).c_str(), remaining.c_str());
    }
    std::fflush(out_);
}

void ProgressBar::finish() {
    if (!active_) return;
    active_ = false;
    std::fprintf(out_, "\r\033[K");  // wipe the line, so the summary starts clean
    std::fflush(out_);
}

}  // namespace vsthost
