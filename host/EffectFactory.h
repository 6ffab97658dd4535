// Implemented by the effect: creates one instance for the entry point. Allocation failures
// surface as exceptions, which the entry turns into a null answer.
#pragma once

#include "host/VstInterface.h"

class AudioEffect;

AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
