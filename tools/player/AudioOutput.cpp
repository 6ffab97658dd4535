#include "tools/player/AudioOutput.h"

// Builds without RtAudio (Windows: no mingw package in Debian) play silently at real-time pace.
#ifdef MARVOLENZIK_RTAUDIO
#include <rtaudio/RtAudio.h>
#endif

#include <algorithm>
#include <chrono>

namespace vsthost {

#ifdef MARVOLENZIK_RTAUDIO
struct AudioOutput::Device : RtAudio {};
#else
struct AudioOutput::Device {};
#endif

AudioOutput::AudioOutput(Render render, int blockFrames)
    : render(std::move(render)),
      blockFrames(blockFrames),
      left(static_cast<std::size_t>(blockFrames)),
      right(static_cast<std::size_t>(blockFrames)) {}

AudioOutput::~AudioOutput() { stop(); }

double AudioOutput::open(double sampleRate, std::string& describe) {
#ifdef MARVOLENZIK_RTAUDIO
    try {
        device = std::make_unique<Device>();
        device->showWarnings(false);
        if (device->getDeviceCount() > 0) {
            RtAudio::StreamParameters parameters;
            parameters.deviceId = device->getDefaultOutputDevice();
            parameters.nChannels = 2;
            const RtAudio::DeviceInfo info = device->getDeviceInfo(parameters.deviceId);
            const auto& rates = info.sampleRates;
            const bool supported =
                std::find(rates.begin(), rates.end(), static_cast<unsigned>(sampleRate)) !=
                rates.end();
            if (!supported && info.preferredSampleRate) sampleRate = info.preferredSampleRate;
            unsigned int frames = static_cast<unsigned int>(blockFrames);
            device->openStream(&parameters, nullptr, RTAUDIO_FLOAT32,
                               static_cast<unsigned int>(sampleRate), &frames,
                               &AudioOutput::deviceCallback, this);
            describe = RtAudio::getApiDisplayName(device->getCurrentApi()) + ": " + info.name;
            openRate = sampleRate;
            return sampleRate;
        }
    } catch (const RtAudioError&) {
    }
    device.reset();
#endif
    describe = "no audio device: processing at real-time pace, silently";
    openRate = sampleRate;
    return sampleRate;
}

void AudioOutput::start() {
#ifdef MARVOLENZIK_RTAUDIO
    if (device) {
        try {
            device->startStream();
            return;
        } catch (const RtAudioError&) {
            device.reset();
        }
    }
#endif
    runSilently(openRate);
}

void AudioOutput::stop() {
#ifdef MARVOLENZIK_RTAUDIO
    if (device) {
        try {
            if (device->isStreamRunning()) device->stopStream();
            if (device->isStreamOpen()) device->closeStream();
        } catch (const RtAudioError&) {
        }
        device.reset();
    }
#endif
    running = false;
    if (paceThread.joinable()) paceThread.join();
}

#ifdef MARVOLENZIK_RTAUDIO
int AudioOutput::deviceCallback(void* output, void*, unsigned int frames, double, unsigned int,
                                void* self) {
    static_cast<AudioOutput*>(self)->renderInterleaved(static_cast<float*>(output), frames);
    return 0;
}

void AudioOutput::renderInterleaved(float* output, unsigned int frames) {
    unsigned int done = 0;
    while (done < frames) {
        // The device may ask for more than a block; the plug-in never gets more than one.
        const auto block = std::min<unsigned int>(frames - done, static_cast<unsigned>(blockFrames));
        render(left.data(), right.data(), static_cast<int>(block));
        for (unsigned int i = 0; i < block; ++i) {
            output[2 * (done + i)] = left[i];
            output[2 * (done + i) + 1] = right[i];
        }
        done += block;
    }
}

#endif

void AudioOutput::runSilently(double sampleRate) {
    running = true;
    paceThread = std::thread([this, sampleRate] {
        using Clock = std::chrono::steady_clock;
        const auto period = std::chrono::duration<double>(blockFrames / sampleRate);
        auto next = Clock::now();
        while (running) {
            render(left.data(), right.data(), blockFrames);
            next += std::chrono::duration_cast<Clock::duration>(period);
            std::this_thread::sleep_until(next);
        }
    });
}

}  // namespace vsthost
