// Audio files for the tests, written and read with libsndfile directly.
#pragma once

#include <string>
#include <vector>

struct AudioFile {
    int sampleRate = 0;
    int channels = 0;
    int format = 0;                           // libsndfile container | encoding
    std::vector<std::vector<float>> samples;  // per channel

    long frames() const { return samples.empty() ? 0 : static_cast<long>(samples[0].size()); }
};

// Noise and a sine at about -6 dBFS, different in each channel, the same for the same seed.
std::vector<std::vector<float>> testSignal(int channels, long frames, unsigned seed = 1);

void writeAudioFile(const std::string& path, const AudioFile& file);
AudioFile readAudioFile(const std::string& path);
