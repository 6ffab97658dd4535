// The host side of one CLAP instance, as a DAW offers it: thread checks (the thread that
// made it is the main thread; the one processing, the audio thread), parameter rescans and
// flush requests, timers and file descriptors for the editor, and the rest of what plug-ins
// ask for. It notes every request made from a thread the interface forbids.
#pragma once

#include <clap/clap.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vsthost {

class ClapHost {
public:
    ClapHost();
    ClapHost(const ClapHost&) = delete;
    ClapHost& operator=(const ClapHost&) = delete;

    const clap_host_t* host() const { return &host_; }

    // The thread of the audio calls; none between them.
    void enterAudioThread() { audioThread_.store(std::this_thread::get_id()); }
    void leaveAudioThread() { audioThread_.store(std::thread::id{}); }
    bool isMainThread() const { return std::this_thread::get_id() == mainThread_; }
    bool isAudioThread() const { return std::this_thread::get_id() == audioThread_.load(); }

    bool takeFlushRequest() { return flushRequested_.exchange(false); }
    int rescans() const { return rescans_.load(); }
    bool takeCallbackRequest() { return callbackRequested_.exchange(false); }

    struct Timer {
        clap_id id;
        std::chrono::milliseconds period;
        std::chrono::steady_clock::time_point due;
    };
    // The timers and descriptors the plug-in has registered; main thread.
    const std::vector<Timer>& timers() const { return timers_; }
    // The ids of the timers due now; each is then due a period later.
    std::vector<clap_id> dueTimers();
    const std::vector<int>& descriptors() const { return descriptors_; }

    // Requests made from a thread the interface forbids them on, in words.
    std::vector<std::string> threadViolations() const;

private:
    static ClapHost& of(const clap_host_t* host) { return *static_cast<ClapHost*>(host->host_data); }
    const void* extension(const char* id) const;
    void requireMainThread(const char* request);
    void forbidAudioThread(const char* request);

    clap_host_t host_;
    std::thread::id mainThread_;
    std::atomic<std::thread::id> audioThread_{};
    std::atomic<bool> flushRequested_{false};
    std::atomic<bool> callbackRequested_{false};
    std::atomic<int> rescans_{0};
    std::vector<Timer> timers_;
    clap_id nextTimer_ = 1;
    std::vector<int> descriptors_;
    mutable std::mutex violationsMutex_;
    std::vector<std::string> violations_;
};

}  // namespace vsthost
