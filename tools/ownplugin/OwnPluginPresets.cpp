#include "tools/ownplugin/OwnPluginPresets.h"

#include <array>
#include <memory>

#include "effect/ParameterUnits.h"
#include "presets/PresetState.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

// The preset's normalised values, whatever terms the plug-in's format shows them in:
// VST 2.4 shows the normalised values themselves, CLAP real ones, LV2 real ones in single
// precision.
class StereoPluginParameters final : public PresetParameters {
public:
    explicit StereoPluginParameters(StereoPlugin& plugin) : plugin_(plugin), terms_(termsOf(plugin.format())) {}
    float getParameter(int index) override {
        const double value = plugin_.value(index);
        switch (terms_) {
            case Terms::normalised:
                return static_cast<float>(value);
            case Terms::real:
                return parameter::fromReal(index, value);
            case Terms::singleReal:
                return parameter::fromRealFloat(index, static_cast<float>(value));
        }
        return 0.0f;
    }
    void setParameterAutomated(int index, float value) override {
        switch (terms_) {
            case Terms::normalised:
                return plugin_.setValue(index, value);
            case Terms::real:
                return plugin_.setValue(index, parameter::toReal(index, value));
            case Terms::singleReal:
                return plugin_.setValue(index, parameter::toRealFloat(index, value));
        }
    }

private:
    enum class Terms { normalised, real, singleReal };
    static Terms termsOf(const std::string& format) {
        return format == "VST 2.4" ? Terms::normalised : format == "LV2" ? Terms::singleReal : Terms::real;
    }

    StereoPlugin& plugin_;
    Terms terms_;
};

// Why a preset path is refused: empty, holding a zero byte, or too long.
std::string pathRefusal(const std::string& path) {
    if (path.empty()) return "the preset path is empty";
    if (path.find('\0') != std::string::npos) return "the preset path holds a zero byte";
    return "preset path '" + path + "' is longer than " + std::to_string(kLongestPresetPath) +
           " characters";
}

}  // namespace

int applyOwnPresetFile(StereoPlugin& plugin, const std::string& path) {
    StereoPluginParameters parameters(plugin);
    const auto state = std::make_unique<PresetState>();
    switch (state->loadPresetFile(path, parameters)) {
        case PresetFileOutcome::done:
            return kPresetParameterCount;
        case PresetFileOutcome::pathRefused:
            throw ToolError(pathRefusal(path));
        case PresetFileOutcome::notAPreset:
            throw ToolError("'" + path +
                            "' is not a Marvolenzik preset (a header and a version of at least "
                            "10000, then eleven KEY VALUE pairs)");
        case PresetFileOutcome::cannotOpen:
        case PresetFileOutcome::cannotWrite:
            break;
    }
    throw ToolError("cannot open preset '" + path + "'");
}

void saveOwnPresetFile(StereoPlugin& plugin, const std::string& path) {
    StereoPluginParameters parameters(plugin);
    const auto state = std::make_unique<PresetState>();
    std::array<char, kPresetTextBytes> text;
    state->buildPresetText(parameters, text);
    switch (state->writePresetOutText(path)) {
        case PresetFileOutcome::done:
            return;
        case PresetFileOutcome::pathRefused:
            throw ToolError(pathRefusal(path));
        default:
            throw ToolError("cannot write preset '" + path + "'");
    }
}

}  // namespace vsthost
