// The built Marvolenzik.clap, opened once per test program through its clap_entry, and
// instances of it with the host tool's CLAP host, which answers thread checks and notes
// requests made from forbidden threads.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tools/host/ClapInstance.h"
#include "tools/host/ClapLibrary.h"

inline const vsthost::ClapLibrary& marvolenzikClap() {
    static const vsthost::ClapLibrary library(MARVOLENZIK_CLAP_PATH);
    return library;
}

// A fresh instance; the test fails when none can be made.
inline std::unique_ptr<vsthost::ClapInstance> makeClapInstance() {
    EXPECT_TRUE(marvolenzikClap().ok()) << marvolenzikClap().error();
    auto instance = std::make_unique<vsthost::ClapInstance>(marvolenzikClap());
    EXPECT_TRUE(instance->ok()) << instance->error();
    return instance;
}

// Stereo blocks through an instance's main ports.
struct StereoBlock {
    std::vector<float> left, right;
    explicit StereoBlock(std::size_t frames = 0) : left(frames), right(frames) {}
};

inline clap_process_status processStereo(vsthost::ClapInstance& instance, const StereoBlock& in, StereoBlock& out) {
    const float* inputs[] = {in.left.data(), in.right.data()};
    float* outputs[] = {out.left.data(), out.right.data()};
    return instance.process(inputs, outputs, static_cast<uint32_t>(in.left.size()));
}
