#include "tools/validator/OpcodeNames.h"

#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr const char* kNames[] = {
    "effOpen", "effClose", "effSetProgram", "effGetProgram", "effSetProgramName",
    "effGetProgramName", "effGetParamLabel", "effGetParamDisplay", "effGetParamName", "effGetVu",
    "effSetSampleRate", "effSetBlockSize", "effMainsChanged", "effEditGetRect", "effEditOpen",
    "effEditClose", "effEditDraw", "effEditMouse", "effEditKey", "effEditIdle", "effEditTop",
    "effEditSleep", "effIdentify", "effGetChunk", "effSetChunk", "effProcessEvents",
    "effCanBeAutomated", "effString2Parameter", "effGetNumProgramCategories",
    "effGetProgramNameIndexed", "effCopyProgram", "effConnectInput", "effConnectOutput",
    "effGetInputProperties", "effGetOutputProperties", "effGetPlugCategory",
    "effGetCurrentPosition", "effGetDestinationBuffer", "effOfflineNotify", "effOfflinePrepare",
    "effOfflineRun", "effProcessVarIo", "effSetSpeakerArrangement", "effSetBlockSizeAndSampleRate",
    "effSetBypass", "effGetEffectName", "effGetErrorText", "effGetVendorString",
    "effGetProductString", "effGetVendorVersion", "effVendorSpecific", "effCanDo",
    "effGetTailSize", "effIdle", "effGetIcon", "effSetViewPosition", "effGetParameterProperties",
    "effKeysRequired", "effGetVstVersion", "effEditKeyDown", "effEditKeyUp", "effSetEditKnobMode",
    "effGetMidiProgramName", "effGetCurrentMidiProgram", "effGetMidiProgramCategory",
    "effHasMidiProgramsChanged", "effGetMidiKeyName", "effBeginSetProgram", "effEndSetProgram",
    "effGetSpeakerArrangement", "effShellGetNextPlugin", "effStartProcess", "effStopProcess",
    "effSetTotalSampleToProcess", "effSetPanLaw", "effBeginLoadBank", "effBeginLoadProgram",
    "effSetProcessPrecision", "effGetNumMidiInputChannels", "effGetNumMidiOutputChannels",
};

}  // namespace

std::string opcodeText(int opcode) {
    if (opcode >= 0 && opcode < static_cast<int>(sizeof kNames / sizeof kNames[0]))
        return describe("%s (%d)", kNames[opcode], opcode);
    return describe("opcode %d", opcode);
}

}  // namespace validator
