#include "bench/BenchMaterial.h"

#include <cmath>
#include <random>

namespace bench {

StereoMaterial makeMaterial(Material kind, float sampleRate, int seconds) {
    const int frames = static_cast<int>(sampleRate) * seconds;
    StereoMaterial out{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    const double decayPerFrame = std::pow(1e-46, 1.0 / frames);
    double envelope = 0.1;
    for (int n = 0; n < frames; ++n) {
        for (int channel = 0; channel < 2; ++channel) {
            float& x = (channel == 0 ? out.left : out.right)[n];
            if (kind == Material::kSignal)
                x = static_cast<float>(0.2 * std::sin(0.0627 * n * (channel + 1)) +
                                       0.05 * noise(random));
            else if (kind == Material::kDecayingTail)
                x = static_cast<float>(envelope * noise(random));
        }
        envelope *= decayPerFrame;
    }
    return out;
}

}  // namespace bench
