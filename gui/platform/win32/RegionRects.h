// The rectangles a Windows region is made of.
#pragma once

#include <windows.h>

#include <vector>

namespace VSTGUI::platform {

inline std::vector<RECT> regionRects(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0) return {};
    std::vector<char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) == 0) return {};
    const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(first, first + data->rdh.nCount);
}

}  // namespace VSTGUI::platform
