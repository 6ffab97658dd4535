// The host side of the VST 2.4 callback: answers a plug-in's requests as a DAW would
// (interface version 2400, automation, idle, edit gestures, MIDI wish, capability
// questions), and on demand logs or records every request, for `--log` and for tests.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace vsthost {

class PluginLibrary;

struct HostRequest {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    std::string text;  // the text passed in ptr, for requests that carry one
    float opt;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Creates one instance through the library's entry point with this host's callback;
    // null when the plug-in declines.
    AEffect* createEffect(const PluginLibrary& library);
    // Stops routing requests of an effect that has been closed.
    void forget(AEffect* effect);

    void setVersionAnswer(VstIntPtr answer) { versionAnswer_ = answer; }
    void setSampleRate(double rate) { sampleRate_ = rate; }
    void setBlockSize(VstInt32 size) { blockSize_ = size; }
    // Prints one line per request to `log` (null: quiet).
    void setLog(std::FILE* log) { log_ = log; }
    // Keeps every request for requests(). Off by default: plug-ins that ask for the time
    // in every block would otherwise cost a lock and an allocation per block, and memory
    // without end.
    void setRecording(bool recording) { recording_ = recording; }

    std::vector<HostRequest> requests() const;
    void clearRequests();

    // The function handed to plug-ins.
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt);

private:
    VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float opt);

    VstIntPtr versionAnswer_ = kVstVersion;
    double sampleRate_ = 44100.0;
    VstInt32 blockSize_ = 512;
    std::FILE* log_ = nullptr;
    bool recording_ = false;
    mutable std::mutex requestsMutex_;
    std::vector<HostRequest> requests_;
};

// Name of a host request opcode, for logs ("audioMasterAutomate").
const char* hostOpcodeName(VstInt32 opcode);

}  // namespace vsthost
