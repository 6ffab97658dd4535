#include "tools/tables/TableDump.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "dsp/TubeTables.h"

namespace tubetables {

bool dumpTables(const dsp::TubeTables& tables, const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    std::vector<unsigned char> bytes(dsp::TubeTables::kEntries * 4);
    for (int family = 0; family < dsp::TubeTables::kFamilies; ++family)
        for (int k = 0; k < dsp::TubeTables::kSlices; ++k) {
            const float* entries = tables.slice(family, k);
            for (int j = 0; j < dsp::TubeTables::kEntries; ++j) {
                std::uint32_t bits;
                std::memcpy(&bits, &entries[j], sizeof bits);
                for (int b = 0; b < 4; ++b) bytes[4 * j + b] = static_cast<unsigned char>(bits >> (8 * b));
            }
            if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
        }
    return std::fclose(file.release()) == 0;
}

}  // namespace tubetables
