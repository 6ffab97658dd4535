// marvolenzik-tables: the plug-in's tube tables, built by its own code, as raw data or as
// a picture.
#include <cstdio>
#include <cstring>
#include <memory>

#include "dsp/TubeTableData.h"
#include "dsp/TubeTables.h"
#include "tools/tables/TableDump.h"
#include "tools/tables/TablePlot.h"

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: marvolenzik-tables COMMAND FILE\n"
                 "  dump FILE      the 40 tables as an instance builds them: 40 x 44101\n"
                 "                 little-endian float32, family A slices 0 to 9, then B, C, D\n"
                 "  plot FILE.png  the 40 curves, one panel per family, published values marked\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "dump") != 0 && std::strcmp(argv[1], "plot") != 0)) {
        printUsage(stderr);
        return 2;
    }
    const auto tables = std::make_unique<dsp::TubeTables>();  // ~7 MB: not on the stack
    tables->build(dsp::kTubeTableCoefficients);
    const bool dump = std::strcmp(argv[1], "dump") == 0;
    if (!(dump ? tubetables::dumpTables(*tables, argv[2]) : tubetables::plotTables(*tables, argv[2]))) {
        std::fprintf(stderr, "marvolenzik-tables %s: cannot write %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
