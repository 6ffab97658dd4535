#include "tools/host/ClapHost.h"

#include <algorithm>
#include <cstring>

namespace vsthost {

ClapHost::ClapHost() : mainThread_(std::this_thread::get_id()) {
    host_.clap_version = CLAP_VERSION;
    host_.host_data = this;
    host_.name = "marvolenzik-host";
    host_.vendor = "marvolenzik.example";
    host_.url = "https://marvolenzik.example";
    host_.version = "1.0.0";
    host_.get_extension = [](const clap_host_t* host, const char* id) { return of(host).extension(id); };
    host_.request_restart = [](const clap_host_t*) {};
    host_.request_process = [](const clap_host_t*) {};
    host_.request_callback = [](const clap_host_t* host) { of(host).callbackRequested_ = true; };
}

void ClapHost::requireMainThread(const char* request) {
    if (isMainThread()) return;
    std::lock_guard lock(violationsMutex_);
    violations_.push_back(std::string(request) + " off the main thread");
}

void ClapHost::forbidAudioThread(const char* request) {
    if (!isAudioThread()) return;
    std::lock_guard lock(violationsMutex_);
    violations_.push_back(std::string(request) + " on the audio thread");
}

std::vector<std::string> ClapHost::threadViolations() const {
    std::lock_guard lock(violationsMutex_);
    return violations_;
}

std::vector<clap_id> ClapHost::dueTimers() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<clap_id> due;
    for (Timer& timer : timers_) {
        if (timer.due > now) continue;
        due.push_back(timer.id);
        timer.due = now + timer.period;
    }
    return due;
}

const void* ClapHost::extension(const char* id) const {
    static const clap_host_thread_check_t threadCheck{
        [](const clap_host_t* host) { return of(host).isMainThread(); },
        [](const clap_host_t* host) { return of(host).isAudioThread(); },
    };
    static const clap_host_params_t params{
        [](const clap_host_t* host, clap_param_rescan_flags) {
            of(host).requireMainThread("clap_host_params.rescan");
            ++of(host).rescans_;
        },
        [](const clap_host_t* host, clap_id, clap_param_clear_flags) {
            of(host).requireMainThread("clap_host_params.clear");
        },
        [](const clap_host_t* host) {
            of(host).forbidAudioThread("clap_host_params.request_flush");
            of(host).flushRequested_ = true;
        },
    };
    static const clap_host_timer_support_t timers{
        [](const clap_host_t* host, uint32_t periodMs, clap_id* id) {
            ClapHost& self = of(host);
            self.requireMainThread("clap_host_timer_support.register_timer");
            if (!id) return false;
            const auto period = std::chrono::milliseconds(std::max<uint32_t>(periodMs, 1));
            *id = self.nextTimer_++;
            self.timers_.push_back({*id, period, std::chrono::steady_clock::now() + period});
            return true;
        },
        [](const clap_host_t* host, clap_id id) {
            ClapHost& self = of(host);
            self.requireMainThread("clap_host_timer_support.unregister_timer");
            const auto found = std::find_if(self.timers_.begin(), self.timers_.end(),
                                            [&](const Timer& timer) { return timer.id == id; });
            if (found == self.timers_.end()) return false;
            self.timers_.erase(found);
            return true;
        },
    };
    static const clap_host_posix_fd_support_t descriptors{
        [](const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
            ClapHost& self = of(host);
            self.requireMainThread("clap_host_posix_fd_support.register_fd");
            if (fd < 0 || std::count(self.descriptors_.begin(), self.descriptors_.end(), fd)) return false;
            self.descriptors_.push_back(fd);
            return true;
        },
        [](const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
            ClapHost& self = of(host);
            self.requireMainThread("clap_host_posix_fd_support.modify_fd");
            return std::count(self.descriptors_.begin(), self.descriptors_.end(), fd) > 0;
        },
        [](const clap_host_t* host, int fd) {
            ClapHost& self = of(host);
            self.requireMainThread("clap_host_posix_fd_support.unregister_fd");
            const auto found = std::find(self.descriptors_.begin(), self.descriptors_.end(), fd);
            if (found == self.descriptors_.end()) return false;
            self.descriptors_.erase(found);
            return true;
        },
    };
    static const clap_host_latency_t latency{
        [](const clap_host_t* host) { of(host).requireMainThread("clap_host_latency.changed"); },
    };
    static const clap_host_state_t state{
        [](const clap_host_t* host) { of(host).requireMainThread("clap_host_state.mark_dirty"); },
    };
    static const clap_host_log_t log{[](const clap_host_t*, clap_log_severity, const char*) {}};
    static const clap_host_audio_ports_t audioPorts{
        [](const clap_host_t*, uint32_t) { return false; },
        [](const clap_host_t* host, uint32_t) { of(host).requireMainThread("clap_host_audio_ports.rescan"); },
    };
    static const clap_host_gui_t gui{
        [](const clap_host_t*) {},
        [](const clap_host_t*, uint32_t, uint32_t) { return false; },
        [](const clap_host_t*) { return false; },
        [](const clap_host_t*) { return false; },
        [](const clap_host_t*, bool) {},
    };
    if (!id) return nullptr;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &threadCheck;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &params;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &timers;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &descriptors;
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) return &latency;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &state;
    if (std::strcmp(id, CLAP_EXT_LOG) == 0) return &log;
    if (std::strcmp(id, CLAP_EXT_AUDIO_PORTS) == 0) return &audioPorts;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &gui;
    return nullptr;
}

}  // namespace vsthost
