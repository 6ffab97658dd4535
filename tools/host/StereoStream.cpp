#include "tools/host/StereoStream.h"

#include <algorithm>

namespace vsthost {

int StereoBufferSource::read(float* left, float* right, int frames) {
    const int count =
        static_cast<int>(std::min<std::int64_t>(frames, buffer_.frames() - position_));
    std::copy_n(buffer_.left.begin() + position_, count, left);
    std::copy_n(buffer_.right.begin() + position_, count, right);
    position_ += count;
    return count;
}

}  // namespace vsthost
