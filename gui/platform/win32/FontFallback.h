// The faces to try for a font name, best first: the name itself, then the faces that stand
// in for it on systems without it (a wine prefix has no Verdana; the desktop's own fonts
// do), then faces every Windows has.
#pragma once

#include <string>
#include <vector>

namespace VSTGUI::platform {

inline std::vector<std::wstring> fontCandidates(const std::string& name) {
    std::vector<std::wstring> faces{std::wstring(name.begin(), name.end())};
    if (name == "Verdana") faces.insert(faces.end(), {L"DejaVu Sans", L"Bitstream Vera Sans"});
    if (name == "Arial") faces.insert(faces.end(), {L"Liberation Sans", L"Arimo"});
    faces.insert(faces.end(), {L"Tahoma", L"Segoe UI", L"Arial"});
    return faces;
}

}  // namespace VSTGUI::platform
