// Requests with hostile arguments, built from any source of numbers: the validator's
// seeded generator, or the bytes a fuzzing engine mutates. A pointer argument always
// points into a generous buffer with canaries around it (HostileBuffer); the records some
// requests carry (events, speaker arrangements, chunks) are built valid, with hostile
// contents.
//
// A source offers integer(lowest, highest), uniform(lowest, highest), chance(p), bits().
#pragma once

#include <climits>
#include <limits>

#include "host/VstInterface.h"
#include "tools/validator/HostileBuffer.h"

namespace validator {

// The opcodes fuzzed: every one VST 2.4 defines, and some numbers on either side.
constexpr int kFirstFuzzedOpcode = -10;
constexpr int kLastFuzzedOpcode = 100;

// Requests whose arguments cannot be faked safely, or that other checks cover.
constexpr bool leftOutOfFuzzing(int opcode) {
    switch (opcode) {
        case effClose:           // ends the instance
        case effEditOpen:        // ptr is a window of the host: the editor checks send it
        case effOfflineNotify:   // records holding pointers to the host's audio files
        case effOfflinePrepare:  // and to its channel buffers
        case effOfflineRun:
        case effProcessVarIo:
            return true;
        default:
            return false;
    }
}

// A block size beyond any host's, yet no request to allocate gigabytes.
constexpr int kLargestFuzzedBlockSize = 1 << 20;
constexpr int kFuzzedEventFrames = 512;

struct FuzzedRequest {
    VstInt32 index = 0;
    VstIntPtr value = 0;
    void* ptr = nullptr;
    float opt = 0.0f;
};

// VST 2.4 speaker arrangement records, as far as the fuzzing builds them.
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

template <typename Source>
VstInt32 fuzzedIndex(Source& source, int parameters) {
    switch (source.integer(0, 6)) {
        case 0: return 0;
        case 1: return -1;
        case 2: return parameters;
        case 3: return source.integer(0, parameters > 0 ? parameters - 1 : 0);
        case 4: return INT_MIN;
        case 5: return INT_MAX;
        default: return static_cast<VstInt32>(source.bits());
    }
}

template <typename Source>
VstIntPtr fuzzedValue(Source& source) {
    switch (source.integer(0, 6)) {
        case 0: return 0;
        case 1: return 1;
        case 2: return -1;
        case 3: return source.integer(0, 1024);
        case 4: return std::numeric_limits<VstIntPtr>::max();
        case 5: return std::numeric_limits<VstIntPtr>::min();
        default: return static_cast<VstIntPtr>(source.bits());
    }
}

template <typename Source>
float fuzzedFloat(Source& source) {
    constexpr float kSpecial[] = {0.0f, 1.0f, -1.0f, 0.5f, 44100.0f, 1e30f, -1e30f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::denorm_min()};
    if (source.chance(0.3)) return source.uniform(-2.0f, 2.0f);
    return kSpecial[source.integer(0, static_cast<int>(sizeof kSpecial / sizeof kSpecial[0]) - 1)];
}

template <typename Source>
void fillBytes(HostileBuffer& buffer, Source& source) {
    for (std::size_t i = 0; i < buffer.size(); i += 8) {
        const std::uint64_t bits = source.bits();
        for (std::size_t b = 0; b < 8; ++b) buffer.data()[i + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
    buffer.data()[buffer.size() - 1] = 0;
}

// Printable text of random length, zero-terminated.
template <typename Source>
void fillText(HostileBuffer& buffer, Source& source) {
    const int longest = source.chance(0.2) ? static_cast<int>(buffer.size()) - 1 : 64;
    const int length = source.integer(0, longest);
    buffer.fillZero();
    for (int i = 0; i < length; ++i) buffer.data()[i] = static_cast<std::uint8_t>(source.integer(32, 126));
}

// A valid list of MIDI events with random bytes, laid out inside the buffer.
template <typename Source>
VstEvents* buildEvents(HostileBuffer& buffer, Source& source) {
    constexpr int kMostEvents = 16;
    constexpr std::size_t kEventsAt = 1024;
    buffer.fillZero();
    const int count = source.integer(0, kMostEvents);
    auto* list = reinterpret_cast<VstEvents*>(buffer.data());
    list->numEvents = count;
    VstEvent** slots = list->events;  // numEvents entries, beyond the declared two
    for (int i = 0; i < count; ++i) {
        auto* event = reinterpret_cast<VstEvent*>(buffer.data() + kEventsAt + i * sizeof(VstEvent));
        event->type = kVstMidiType;
        event->byteSize = static_cast<VstInt32>(sizeof(VstEvent) - 2 * sizeof(VstInt32));
        event->deltaFrames = source.integer(0, kFuzzedEventFrames - 1);
        for (char& byte : event->data) byte = static_cast<char>(source.integer(0, 255));
        slots[i] = event;
    }
    return list;
}

template <typename Source>
void fillArrangement(SpeakerArrangement& arrangement, Source& source) {
    arrangement.type = source.integer(-2, 40);
    arrangement.numChannels = source.integer(0, 8);
    for (SpeakerProperties& speaker : arrangement.speakers) {
        speaker.azimuth = fuzzedFloat(source);
        speaker.type = source.integer(-1, 30);
        speaker.name[0] = 'L';
    }
}

// The arguments of one request with the given opcode; the buffer must hold at least
// 2048 bytes.
template <typename Source>
FuzzedRequest fuzzedRequest(int opcode, int parameters, HostileBuffer& buffer, Source& source) {
    FuzzedRequest request{fuzzedIndex(source, parameters), fuzzedValue(source), buffer.data(), fuzzedFloat(source)};
    switch (opcode) {
        case effSetBlockSize:
            request.value = source.integer(-1, kLargestFuzzedBlockSize);
            break;
        case effSetChunk:
            fillBytes(buffer, source);
            request.value = source.integer(0, static_cast<int>(buffer.size()));
            break;
        case effProcessEvents:
            request.ptr = buildEvents(buffer, source);
            break;
        case effSetSpeakerArrangement: {
            buffer.fillZero();
            auto* arrangements = reinterpret_cast<SpeakerArrangement*>(buffer.data());
            fillArrangement(arrangements[0], source);
            fillArrangement(arrangements[1], source);
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
            if (source.chance(0.25)) {
                request.index = kWheelVendor;
                request.value = kWheelMessage;
            }
            fillBytes(buffer, source);
            break;
        case effSetProgramName:
        case effCanDo:
        case effString2Parameter:
            fillText(buffer, source);
            break;
        default:
            if (source.chance(0.5))
                buffer.fillZero();
            else
                fillBytes(buffer, source);
            break;
    }
    return request;
}

}  // namespace validator
