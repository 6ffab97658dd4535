// The extensions a CLAP host can ask the plug-in for, each in its own file.
#pragma once

#include <clap/clap.h>

extern const clap_plugin_params_t kClapParams;
extern const clap_plugin_state_t kClapState;
extern const clap_plugin_gui_t kClapGui;
extern const clap_plugin_timer_support_t kClapTimerSupport;
extern const clap_plugin_posix_fd_support_t kClapPosixFdSupport;
