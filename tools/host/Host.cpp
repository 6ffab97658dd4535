#include "tools/host/Host.h"

#include <cstring>
#include <map>

#include "tools/host/PluginLibrary.h"

namespace vsthost {

namespace {

// The callback carries no user pointer, so requests find their host through the effect
// record; during an entry call (no record yet) they go to the host creating it.
std::mutex registryMutex;
std::map<AEffect*, Host*> hostsByEffect;
thread_local Host* creatingHost = nullptr;

Host* hostFor(AEffect* effect) {
    if (effect) {
        std::lock_guard lock(registryMutex);
        const auto found = hostsByEffect.find(effect);
        if (found != hostsByEffect.end()) return found->second;
    }
    return creatingHost;
}

bool carriesText(VstInt32 opcode) { return opcode == audioMasterCanDo; }

constexpr const char* kHostCapabilities[] = {
    "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "sizeWindow", "startStopProcess", "supplyIdle",
};

}  // namespace

Host::Host() = default;

Host::~Host() {
    std::lock_guard lock(registryMutex);
    for (auto it = hostsByEffect.begin(); it != hostsByEffect.end();)
        it = it->second == this ? hostsByEffect.erase(it) : std::next(it);
}

AEffect* Host::createEffect(const PluginLibrary& library) {
    if (!library.ok()) return nullptr;
    Host* previous = creatingHost;
    creatingHost = this;
    AEffect* effect = library.entry()(&Host::callback);
    creatingHost = previous;
    if (effect && effect->magic != kEffectMagic) return nullptr;
    if (effect) {
        std::lock_guard lock(registryMutex);
        hostsByEffect[effect] = this;
    }
    return effect;
}

void Host::forget(AEffect* effect) {
    std::lock_guard lock(registryMutex);
    hostsByEffect.erase(effect);
}

std::vector<HostRequest> Host::requests() const {
    std::lock_guard lock(requestsMutex_);
    return requests_;
}

void Host::clearRequests() {
    std::lock_guard lock(requestsMutex_);
    requests_.clear();
}

VstIntPtr Host::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                         void* ptr, float opt) {
    Host* host = hostFor(effect);
    // A request from an effect nobody created answers only the version query.
    if (!host) return opcode == audioMasterVersion ? kVstVersion : 0;
    return host->answer(effect, opcode, index, value, ptr, opt);
}

VstIntPtr Host::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                       void* ptr, float opt) {
    const char* text = carriesText(opcode) && ptr ? static_cast<const char*>(ptr) : "";
    if (recording_) {
        std::lock_guard lock(requestsMutex_);
        requests_.push_back({effect, opcode, index, value, text, opt});
    }
    if (log_)
        std::fprintf(log_, "host request %s (%d) index %d value %lld opt %g%s%s\n",
                     hostOpcodeName(opcode), opcode, index, static_cast<long long>(value),
                     static_cast<double>(opt), *text ? " text " : "", text);

    switch (opcode) {
        case audioMasterVersion:
            return versionAnswer_;
        case audioMasterAutomate:
        case audioMasterIdle:
        case audioMasterWantMidi:
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
            return 1;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(sampleRate_);
        case audioMasterGetBlockSize:
            return blockSize_;
        case audioMasterGetCurrentProcessLevel:
            return 0;  // unknown: no separate audio thread in an offline host
        case audioMasterGetVendorString:
            if (ptr) std::strcpy(static_cast<char*>(ptr), "Marvolenzik");
            return ptr ? 1 : 0;
        case audioMasterGetProductString:
            if (ptr) std::strcpy(static_cast<char*>(ptr), "marvolenzik-host");
            return ptr ? 1 : 0;
        case audioMasterGetVendorVersion:
            return 1;
        case audioMasterCanDo:
            for (const char* capability : kHostCapabilities)
                if (std::strcmp(text, capability) == 0) return 1;
            return 0;
        case audioMasterSizeWindow:
            return 0;  // no window to resize here
        default:
            return 0;
    }
}

const char* hostOpcodeName(VstInt32 opcode) {
    switch (opcode) {
        case audioMasterAutomate: return "audioMasterAutomate";
        case audioMasterVersion: return "audioMasterVersion";
        case audioMasterCurrentId: return "audioMasterCurrentId";
        case audioMasterIdle: return "audioMasterIdle";
        case audioMasterPinConnected: return "audioMasterPinConnected";
        case audioMasterWantMidi: return "audioMasterWantMidi";
        case audioMasterGetTime: return "audioMasterGetTime";
        case audioMasterProcessEvents: return "audioMasterProcessEvents";
        case audioMasterIOChanged: return "audioMasterIOChanged";
        case audioMasterSizeWindow: return "audioMasterSizeWindow";
        case audioMasterGetSampleRate: return "audioMasterGetSampleRate";
        case audioMasterGetBlockSize: return "audioMasterGetBlockSize";
        case audioMasterGetCurrentProcessLevel: return "audioMasterGetCurrentProcessLevel";
        case audioMasterGetVendorString: return "audioMasterGetVendorString";
        case audioMasterGetProductString: return "audioMasterGetProductString";
        case audioMasterGetVendorVersion: return "audioMasterGetVendorVersion";
        case audioMasterCanDo: return "audioMasterCanDo";
        case audioMasterGetLanguage: return "audioMasterGetLanguage";
        case audioMasterUpdateDisplay: return "audioMasterUpdateDisplay";
        case audioMasterBeginEdit: return "audioMasterBeginEdit";
        case audioMasterEndEdit: return "audioMasterEndEdit";
        default: return "unknown";
    }
}

}  // namespace vsthost
