#include "dsp/SharedTubeTables.h"

#include <mutex>

namespace dsp {

std::shared_ptr<const TubeTables> buildTubeTables(const TubeTableCoefficients& data) {
    // Not make_shared: that would zero the 7 MB first, only for build() to overwrite them.
    std::shared_ptr<TubeTables> tables(new TubeTables);
    tables->build(data);
    return tables;
}

std::shared_ptr<const TubeTables> sharedTubeTables() {
    static std::mutex mutex;
    static std::weak_ptr<const TubeTables> current;
    const std::lock_guard lock(mutex);
    std::shared_ptr<const TubeTables> tables = current.lock();
    if (!tables) {
        tables = buildTubeTables(kTubeTableCoefficients);
        current = tables;
    }
    return tables;
}

}  // namespace dsp
