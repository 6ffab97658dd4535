// One instance of the plug-in under test, driven as a host drives it, with every block
// checked against the rules of the buffers (see AudioBuffers).
#pragma once

#include <string>

#include "tools/validator/AllocationCounter.h"
#include "tools/validator/AudioBuffers.h"
#include "tools/validator/Check.h"
#include "tools/validator/Signals.h"

namespace validator {

class TestedPlugin {
public:
    enum class Opening { Open, LeaveUnopened };

    // Creates an instance of the check's plug-in with the check's host and, unless told
    // otherwise, opens it (effOpen); fails the check when the entry answers no effect.
    explicit TestedPlugin(CheckContext& context, Opening opening = Opening::Open);
    // Closes the instance unless close() did.
    ~TestedPlugin();
    TestedPlugin(const TestedPlugin&) = delete;
    TestedPlugin& operator=(const TestedPlugin&) = delete;

    AEffect& record() { return *effect_; }
    int inputs() const { return effect_->numInputs; }
    int outputs() const { return effect_->numOutputs; }
    int parameterCount() const { return effect_->numParams; }
    bool hasEditor() const { return (effect_->flags & effFlagsHasEditor) != 0; }
    bool resumed() const { return resumed_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    // A text the plug-in writes (names, displays), read back within a generous buffer.
    std::string text(VstInt32 opcode, VstInt32 index = 0);
    void setParameter(VstInt32 index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(VstInt32 index) { return effect_->getParameter(effect_, index); }

    AudioBuffers makeBuffers(int capacity) const { return AudioBuffers(inputs(), outputs(), capacity); }

    // What a host does before playing: suspend when resumed, sample rate, the largest
    // block to come, resume.
    void start(float sampleRate, int largestBlock);
    void suspend();
    void resume();

    // One block through processReplacing. Fails the check, naming `situation`, when the
    // plug-in broke a rule of the buffers; answers the output's scan otherwise. Given
    // `allocations`, counts the heap allocations made inside the call there.
    OutputScan process(AudioBuffers& buffers, int frames, const std::string& situation,
                       AllocationCount* allocations = nullptr);
    // A block whose output must also be sane (finite, no subnormals, below the ceiling).
    void processSane(AudioBuffers& buffers, int frames, const std::string& situation);

    // effClose; the instance is gone afterwards.
    void close();

private:
    vsthost::Host& host_;
    AEffect* effect_;
    bool resumed_ = false;
};

}  // namespace validator
