// Every request a host can send, with hostile arguments, and the texts a plug-in writes
// into a host's buffers.
#include <chrono>
#include <cstring>
#include <vector>

#include "tools/validator/Check.h"
#include "tools/validator/FuzzedRequest.h"
#include "tools/validator/HostileBuffer.h"
#include "tools/validator/OpcodeNames.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kRounds = 16;
constexpr std::size_t kRequestBufferSize = 64 * 1024;
constexpr int kBlock = 512;
constexpr float kRate = 44100.0f;
constexpr int kShortBlock = 64;
constexpr double kShortBlockChance = 0.1;
// Some hundred times longer than the block lasts at any usual rate: a plug-in that needs
// this long has taken an absurd setting.
constexpr std::chrono::milliseconds kSlowestShortBlock{250};

void requireProcessing(TestedPlugin& plugin, AudioBuffers& buffers, Random& random, const std::string& after) {
    plugin.start(kRate, kBlock);
    for (int block = 0; block < 4; ++block) {
        fillQuietNoise(buffers, kBlock, random);
        const OutputScan scan = plugin.process(buffers, kBlock, after);
        if (scan.nonFinite > 0) fail(after + ": " + saneOutputProblem(scan));
    }
}

std::string checkDispatcherFuzz(CheckContext& context) {
    TestedPlugin plugin(context);
    AudioBuffers buffers = plugin.makeBuffers(kBlock);
    HostileBuffer buffer(kRequestBufferSize);
    Random& random = context.random();
    requireProcessing(plugin, buffers, random, "before any fuzzed request");
    long requests = 0;
    float lastRate = kRate;
    for (int round = 0; round < kRounds; ++round) {
        for (int opcode = kFirstFuzzedOpcode; opcode <= kLastFuzzedOpcode; ++opcode) {
            if (leftOutOfFuzzing(opcode)) continue;
            const FuzzedRequest request = fuzzedRequest(opcode, plugin.parameterCount(), buffer, random);
            plugin.dispatch(opcode, request.index, request.value, request.ptr, request.opt);
            ++requests;
            if (opcode == effSetSampleRate) lastRate = request.opt;
            if (const char* where = buffer.damagedCanary())
                fail(describe("%s with index %d, value %lld wrote %s its %zu-byte buffer",
                              opcodeText(opcode).c_str(), request.index,
                              static_cast<long long>(request.value), where, buffer.size()));
            // Whatever state the request left, a short block must come back, and in time.
            if (random.chance(kShortBlockChance)) {
                fillQuietNoise(buffers, kShortBlock, random);
                const auto start = std::chrono::steady_clock::now();
                plugin.process(buffers, kShortBlock, "a short block between fuzzed requests");
                const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                if (took > kSlowestShortBlock)
                    fail(describe("a %d-frame block took %.0f ms after %s with index %d, value %lld, opt %g "
                                  "(the last rate sent: %g Hz)",
                                  kShortBlock, took.count(), opcodeText(opcode).c_str(), request.index,
                                  static_cast<long long>(request.value), static_cast<double>(request.opt),
                                  static_cast<double>(lastRate)));
            }
        }
        requireProcessing(plugin, buffers, random, describe("processing after round %d of fuzzed requests", round + 1));
        lastRate = kRate;
    }
    return describe("%ld requests (opcodes %d..%d, %d rounds, random index, value and opt, "
                    "a %zu-byte buffer behind ptr), short blocks between them, finite output after each round; not sent: "
                    "effClose and effEditOpen (other groups), effOfflineNotify/Prepare/Run and "
                    "effProcessVarIo (records of host pointers)",
                    requests, kFirstFuzzedOpcode, kLastFuzzedOpcode, kRounds, kRequestBufferSize);
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

// Fails the check when the request wrote past the limit or left no terminating zero
// within it.
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
    TestedPlugin plugin(context);
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
