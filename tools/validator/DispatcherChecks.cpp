// Every request a host can send, with hostile arguments, and the texts a plug-in writes
// into a host's buffers.
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tools/validator/Check.h"
#include "tools/validator/HostileBuffer.h"
#include "tools/validator/OpcodeNames.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kFirstOpcode = -10;
constexpr int kLastOpcode = 100;
constexpr int kRounds = 16;
constexpr std::size_t kRequestBufferSize = 64 * 1024;
constexpr int kBlock = 512;
constexpr float kRate = 44100.0f;
// A block size beyond any host's, yet no request to allocate gigabytes.
constexpr int kLargestFuzzedBlockSize = 1 << 20;

// Requests whose arguments cannot be faked safely, or that other groups cover.
bool leftOut(int opcode) {
    switch (opcode) {
        case effClose:          // ends the instance: the lifecycle group sends it
        case effEditOpen:       // ptr is a window of the host: the editor group sends it
        case effOfflineNotify:  // records holding pointers to the host's audio files
        case effOfflinePrepare: // and to its channel buffers
        case effOfflineRun:
        case effProcessVarIo:
            return true;
        default:
            return false;
    }
}

// VST 2.4 records passed with requests, as far as the fuzzing builds them.
struct SpeakerProperties {
    float azimuth, elevation, radius, reserved;
    char name[64];
    VstInt32 type;
    char future[28];
};
struct SpeakerArrangement {
    VstInt32 type;
    VstInt32 numChannels;
    SpeakerProperties speakers[8];
};
static_assert(sizeof(SpeakerProperties) == 112);

struct Request {
    VstInt32 index = 0;
    VstIntPtr value = 0;
    void* ptr = nullptr;
    float opt = 0.0f;
};

VstInt32 randomIndex(Random& random, int parameters) {
    switch (random.integer(0, 6)) {
        case 0: return 0;
        case 1: return -1;
        case 2: return parameters;
        case 3: return random.integer(0, parameters > 0 ? parameters - 1 : 0);
        case 4: return INT_MIN;
        case 5: return INT_MAX;
        default: return static_cast<VstInt32>(random.bits());
    }
}

VstIntPtr randomValue(Random& random) {
    switch (random.integer(0, 6)) {
        case 0: return 0;
        case 1: return 1;
        case 2: return -1;
        case 3: return random.integer(0, 1024);
        case 4: return std::numeric_limits<VstIntPtr>::max();
        case 5: return std::numeric_limits<VstIntPtr>::min();
        default: return static_cast<VstIntPtr>(random.bits());
    }
}

float randomOpt(Random& random) {
    constexpr float kSpecial[] = {0.0f, 1.0f, -1.0f, 0.5f, 44100.0f, 1e30f, -1e30f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::denorm_min()};
    if (random.chance(0.3)) return random.uniform(-2.0f, 2.0f);
    return kSpecial[random.integer(0, sizeof kSpecial / sizeof kSpecial[0] - 1)];
}

// A valid event list of MIDI events with random bytes, laid out inside the buffer.
void *buildEvents(HostileBuffer& buffer, Random& random) {
    constexpr int kMostEvents = 16;
    constexpr std::size_t kEventsAt = 1024;
    buffer.fillZero();
    const int count = random.integer(0, kMostEvents);
    auto* list = reinterpret_cast<VstEvents*>(buffer.data());
    list->numEvents = count;
    for (int i = 0; i < count; ++i) {
        auto* event = reinterpret_cast<VstEvent*>(buffer.data() + kEventsAt + i * sizeof(VstEvent));
        event->type = kVstMidiType;
        event->byteSize = static_cast<VstInt32>(sizeof(VstEvent) - 2 * sizeof(VstInt32));
        event->deltaFrames = random.integer(0, kBlock - 1);
        for (char& byte : event->data) byte = static_cast<char>(random.integer(0, 255));
        list->events[i] = event;
    }
    return list;
}

void fillArrangement(SpeakerArrangement& arrangement, Random& random) {
    arrangement.type = random.integer(-2, 40);
    arrangement.numChannels = random.integer(0, 8);
    for (SpeakerProperties& speaker : arrangement.speakers) {
        speaker.azimuth = randomOpt(random);
        speaker.type = random.integer(-1, 30);
        speaker.name[0] = 'L';
    }
}

Request makeRequest(int opcode, int parameters, HostileBuffer& buffer, Random& random) {
    Request request{randomIndex(random, parameters), randomValue(random), buffer.data(), randomOpt(random)};
    switch (opcode) {
        case effSetBlockSize:
            request.value = random.integer(-1, kLargestFuzzedBlockSize);
            break;
        case effSetChunk:
            buffer.fillBytes(random);
            request.value = random.integer(0, static_cast<int>(buffer.size()));
            break;
        case effProcessEvents:
            request.ptr = buildEvents(buffer, random);
            break;
        case effSetSpeakerArrangement: {
            buffer.fillZero();
            auto* arrangements = reinterpret_cast<SpeakerArrangement*>(buffer.data());
            fillArrangement(arrangements[0], random);
            fillArrangement(arrangements[1], random);
            request.value = reinterpret_cast<VstIntPtr>(&arrangements[0]);
            request.ptr = &arrangements[1];
            break;
        }
        case effGetSpeakerArrangement:
            // Both carry the address of a pointer the plug-in sets.
            buffer.fillZero();
            request.value = reinterpret_cast<VstIntPtr>(buffer.data());
            request.ptr = buffer.data() + 64;
            break;
        case effVendorSpecific:
            if (random.chance(0.25)) {
                request.index = fourCharCode('s', 't', 'C', 'A');
                request.value = fourCharCode('W', 'h', 'e', 'e');
            }
            buffer.fillBytes(random);
            break;
        case effSetProgramName:
        case effCanDo:
        case effString2Parameter:
            buffer.fillText(random);
            break;
        default:
            if (random.chance(0.5))
                buffer.fillZero();
            else
                buffer.fillBytes(random);
            break;
    }
    return request;
}

void requireProcessing(TestedPlugin& plugin, AudioBuffers& buffers, Random& random, const std::string& after) {
    plugin.start(kRate, kBlock);
    for (int block = 0; block < 4; ++block) {
        fillInputs(buffers, Signal::QuietNoise, kBlock, block * kBlock, random);
        const OutputScan scan = plugin.process(buffers, kBlock, after);
        if (scan.nonFinite > 0) fail(after + ": " + saneOutputProblem(scan));
    }
}

std::string checkDispatcherFuzz(CheckContext& context) {
    vsthost::Host host;
    TestedPlugin plugin(host, context.library());
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    HostileBuffer buffer(kRequestBufferSize);
    Random& random = context.random();
    requireProcessing(plugin, buffers, random, "before any fuzzed request");
    long requests = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int opcode = kFirstOpcode; opcode <= kLastOpcode; ++opcode) {
            if (leftOut(opcode)) continue;
            const Request request = makeRequest(opcode, plugin.parameterCount(), buffer, random);
            plugin.dispatch(opcode, request.index, request.value, request.ptr, request.opt);
            ++requests;
            if (const char* where = buffer.damagedCanary())
                fail(describe("%s with index %d, value %lld wrote %s its %zu-byte buffer",
                              opcodeText(opcode).c_str(), request.index,
                              static_cast<long long>(request.value), where, buffer.size()));
        }
        requireProcessing(plugin, buffers, random, describe("processing after round %d of fuzzed requests", round + 1));
    }
    return describe("%ld requests (opcodes %d..%d, %d rounds, random index, value and opt, "
                    "a %zu-byte buffer behind ptr), finite output after each round; not sent: "
                    "effClose and effEditOpen (other groups), effOfflineNotify/Prepare/Run and "
                    "effProcessVarIo (records of host pointers)",
                    requests, kFirstOpcode, kLastOpcode, kRounds, kRequestBufferSize);
}

// Text capacities a plug-in may fill, terminating zero included. Parameter texts: the
// interface's historical 8 bytes are ignored by hosts and plug-ins alike; 32 is what
// hosts commonly give and plug-ins commonly keep to.
constexpr std::size_t kParameterTextLimit = 32;

struct TextRequest {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    std::size_t limit;
};

// How many bytes the request wrote (0 when none), or fails when it went past the limit
// or left no terminating zero within it.
void requireBoundedText(TestedPlugin& plugin, const TextRequest& request) {
    constexpr std::uint8_t kUntouched = 0xA5;
    std::vector<std::uint8_t> buffer(4096, kUntouched);
    plugin.dispatch(request.opcode, request.index, request.value, buffer.data());
    std::size_t end = buffer.size();
    while (end > 0 && buffer[end - 1] == kUntouched) --end;
    if (end == 0) return;
    const auto what = [&] { return describe("%s with index %d", opcodeText(request.opcode).c_str(), request.index); };
    if (end > request.limit)
        fail(describe("%s wrote %zu bytes into a buffer of %zu", what().c_str(), end, request.limit));
    if (std::memchr(buffer.data(), 0, end) == nullptr)
        fail(what() + " wrote a text without a terminating zero");
}

std::string checkTextBounds(CheckContext& context) {
    vsthost::Host host;
    TestedPlugin plugin(host, context.library());
    std::vector<TextRequest> requests{
        {effGetEffectName, 0, 0, kVstMaxEffectNameLen},
        {effGetVendorString, 0, 0, kVstMaxVendorStrLen},
        {effGetProductString, 0, 0, kVstMaxProductStrLen},
        {effGetProgramName, 0, 0, kVstMaxProgNameLen},
    };
    const int parameters = plugin.parameterCount();
    for (int index = -1; index <= parameters; ++index)
        for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            requests.push_back({opcode, index, 0, kParameterTextLimit});
    for (int program = -1; program <= plugin.record().numPrograms; ++program)
        requests.push_back({effGetProgramNameIndexed, program, 0, kVstMaxProgNameLen});
    for (const TextRequest& request : requests) requireBoundedText(plugin, request);
    // Displays of the extreme values too.
    for (const float value : {0.0f, 1.0f}) {
        for (int index = 0; index < parameters; ++index) plugin.setParameter(index, value);
        for (int index = 0; index < parameters; ++index)
            requireBoundedText(plugin, {effGetParamDisplay, index, 0, kParameterTextLimit});
    }
    return describe("%zu text requests kept within their capacities (names 32/64, program names 24, "
                    "parameter texts 32 bytes)", requests.size());
}

}  // namespace

Group dispatcherChecks() {
    return {"dispatcher",
            {{"dispatcher.fuzz", &checkDispatcherFuzz}, {"dispatcher.text-bounds", &checkTextBounds}}};
}

}  // namespace validator
