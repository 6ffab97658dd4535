// The library's one entry point, exported as VSTPluginMain and a second time as main
// (the name older hosts look for).
#include "host/AudioEffect.h"
#include "host/BoundaryGuard.h"
#include "host/EffectFactory.h"

// Windows names its exports in the module definition (exports.def); elsewhere the symbols
// are made visible here and the version script keeps the rest local.
#ifdef _WIN32
#define PLUGIN_EXPORT
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" PLUGIN_EXPORT AEffect* VSTPluginMain(
    audioMasterCallback audioMaster) {
    if (!audioMaster) return nullptr;
    // A host that reports no interface version cannot drive an effect.
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    return guardBoundary<AEffect*>(nullptr, [&]() -> AEffect* {
        AudioEffect* effect = createEffectInstance(audioMaster);
        return effect ? effect->getAeffect() : nullptr;
    });
}

#ifndef _WIN32
// Same function, second export name. `main` cannot be declared as an ordinary C++
// function, so the alias gets its symbol name through an assembler label.
extern "C" __attribute__((visibility("default"), alias("VSTPluginMain"))) AEffect* vstMainAlias(
    audioMasterCallback audioMaster) __asm__("main");
#endif
