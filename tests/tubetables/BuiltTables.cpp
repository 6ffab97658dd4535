#include "BuiltTables.h"

#include <memory>

#include "dsp/TubeTableData.h"

namespace tubetablestest {

const dsp::TubeTables& builtTables() {
    static const std::unique_ptr<dsp::TubeTables> tables = [] {
        auto built = std::make_unique<dsp::TubeTables>();
        built->build(dsp::kTubeTableCoefficients);
        return built;
    }();
    return *tables;
}

}  // namespace tubetablestest
