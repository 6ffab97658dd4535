// Plays what a render function produces: on the default audio device through RtAudio
// (ALSA, PulseAudio/PipeWire or JACK), or, with no device, on a thread of its own at
// real-time pace into silence, so that a plug-in behaves as it would in a DAW.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace vsthost {

class AudioOutput {
public:
    // Fills planar stereo blocks of at most the block size given; called on the audio thread.
    using Render = std::function<void(float* left, float* right, int frames)>;

    AudioOutput(Render render, int blockFrames);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens the default device at `sampleRate` if it takes it, else at its own rate, and
    // returns the rate in use; `describe` says where the sound will go. Nothing is
    // rendered before start().
    double open(double sampleRate, std::string& describe);
    void start();
    void stop();

private:
    static int deviceCallback(void* output, void* input, unsigned int frames, double streamTime,
                              unsigned int status, void* self);
    void renderInterleaved(float* output, unsigned int frames);
    void runSilently(double sampleRate);

    Render render;
    int blockFrames;
    std::vector<float> left;
    std::vector<float> right;
    struct Device;  // the audio device, where the build has one
    std::unique_ptr<Device> device;
    std::thread paceThread;
    double openRate = 0.0;
    std::atomic<bool> running{false};
};

}  // namespace vsthost
