#include "tools/player/LoopingMaterial.h"

#include <algorithm>

namespace vsthost {

void LoopingMaterial::read(float* left, float* right, int frames) {
    const std::int64_t length = material.frames();
    for (int i = 0; i < frames;) {
        if (length == 0) {
            std::fill(left + i, left + frames, 0.0f);
            std::fill(right + i, right + frames, 0.0f);
            return;
        }
        const int run = static_cast<int>(std::min<std::int64_t>(frames - i, length - position));
        std::copy_n(material.left.data() + position, run, left + i);
        std::copy_n(material.right.data() + position, run, right + i);
        i += run;
        position = (position + run) % length;
    }
}

}  // namespace vsthost
