#include "tests/host/TestAudio.h"

#include <sndfile.h>

#include <cmath>
#include <random>
#include <stdexcept>

std::vector<std::vector<float>> testSignal(int channels, long frames, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-0.25f, 0.25f);
    std::vector<std::vector<float>> samples(channels, std::vector<float>(frames));
    for (int channel = 0; channel < channels; ++channel)
        for (long i = 0; i < frames; ++i)
            samples[channel][i] =
                0.25f *
                    static_cast<float>(std::sin(0.01 * (channel + 1) * static_cast<double>(i))) +
                noise(random);
    return samples;
}

void writeAudioFile(const std::string& path, const AudioFile& file) {
    SF_INFO info{};
    info.samplerate = file.sampleRate;
    info.channels = file.channels;
    info.format = file.format;
    SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!out) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    std::vector<float> interleaved(static_cast<std::size_t>(file.frames()) * file.channels);
    for (long i = 0; i < file.frames(); ++i)
        for (int channel = 0; channel < file.channels; ++channel)
            interleaved[i * file.channels + channel] = file.samples[channel][i];
    sf_writef_float(out, interleaved.data(), file.frames());
    sf_close(out);
}

AudioFile readAudioFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* in = sf_open(path.c_str(), SFM_READ, &info);
    if (!in) throw std::runtime_error("cannot read " + path + ": " + sf_strerror(nullptr));
    AudioFile file;
    file.sampleRate = info.samplerate;
    file.channels = info.channels;
    file.format = info.format;
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(in, interleaved.data(), info.frames);
    sf_close(in);
    file.samples.assign(info.channels, std::vector<float>(info.frames));
    for (long i = 0; i < info.frames; ++i)
        for (int channel = 0; channel < info.channels; ++channel)
            file.samples[channel][i] = interleaved[i * info.channels + channel];
    return file;
}
