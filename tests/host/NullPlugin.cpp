// A plug-in whose entry point declines to create an effect.
#include "host/VstInterface.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    return nullptr;
}
