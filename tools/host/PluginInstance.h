// One plug-in instance seen from the host: requests through its dispatcher, parameters,
// audio. Closing (effClose) happens in the destructor unless done before.
#pragma once

#include <string>

#include "host/VstInterface.h"

namespace vsthost {

class Host;
class PluginLibrary;

class PluginInstance {
public:
    PluginInstance(Host& host, const PluginLibrary& library);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    bool ok() const { return effect_ != nullptr; }
    AEffect* effect() const { return effect_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    // Asks for a text (names, displays, strings) in a generous, zeroed buffer and reads
    // back at most its capacity, whatever the plug-in wrote.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    VstInt32 canDo(const char* capability);

    std::string parameterName(VstInt32 index) { return text(effGetParamName, index); }
    std::string parameterDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
    std::string parameterLabel(VstInt32 index) { return text(effGetParamLabel, index); }
    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);

    // Sample rate, block size and resume, as a host does before processing.
    void start(float sampleRate, VstInt32 blockSize);
    void processReplacing(float** inputs, float** outputs, VstInt32 frames);

    // effClose; the record is invalid afterwards.
    void close();

private:
    Host& host_;
    AEffect* effect_ = nullptr;
};

}  // namespace vsthost
