// Where the render loop takes its stereo input from and where it puts its output, in
// planar blocks (one array per channel).
#pragma once

#include <cstdint>
#include <vector>

namespace vsthost {

class StereoSource {
public:
    virtual ~StereoSource() = default;
    // Fills up to `frames` frames; fewer only at the end of the material.
    virtual int read(float* left, float* right, int frames) = 0;
};

class StereoSink {
public:
    virtual ~StereoSink() = default;
    virtual void write(const float* left, const float* right, int frames) = 0;
};

// Material held in memory: the demo loop, the bench's input.
struct StereoBuffer {
    double sampleRate = 48000.0;
    std::vector<float> left;
    std::vector<float> right;

    std::int64_t frames() const { return static_cast<std::int64_t>(left.size()); }
};

class StereoBufferSource : public StereoSource {
public:
    explicit StereoBufferSource(const StereoBuffer& buffer) : buffer_(buffer) {}
    int read(float* left, float* right, int frames) override;

private:
    const StereoBuffer& buffer_;
    std::int64_t position_ = 0;
};

}  // namespace vsthost
