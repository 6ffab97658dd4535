// The channel buffers handed to a plug-in, laid out so that every rule of a block can be
// checked afterwards: each channel sits between guard zones, inputs are compared with a
// copy (a plug-in must never write its inputs), outputs start poisoned so that an unwritten
// sample shows, and what lies past the block's last frame must stay as it was.
#pragma once

#include <string>
#include <vector>

namespace validator {

class AudioBuffers {
public:
    AudioBuffers(int inputs, int outputs, int capacity);

    int inputCount() const { return static_cast<int>(inputs_.size()); }
    int outputCount() const { return static_cast<int>(outputs_.size()); }

    float* input(int channel) { return inputs_[channel].data() + kGuard; }
    float* output(int channel) { return outputPointers_[channel]; }
    const float* output(int channel) const { return outputPointers_[channel]; }
    float** inputPointers() { return inputPointers_.data(); }
    float** outputPointers() { return outputPointers_.data(); }

    // Outputs share the inputs' memory channel by channel (extra outputs keep their own).
    void setInPlace(bool inPlace);

    // Before a block: remembers the inputs and poisons the outputs.
    void arm();
    // After it: the first broken rule, or an empty text.
    std::string inspect(int frames) const;

private:
    static constexpr int kGuard = 64;

    bool inPlace_ = false;
    std::vector<std::vector<float>> inputs_;   // guard, capacity, guard
    std::vector<std::vector<float>> outputs_;  // likewise
    std::vector<std::vector<float>> inputCopies_;
    std::vector<float*> inputPointers_;
    std::vector<float*> outputPointers_;
};

}  // namespace validator
