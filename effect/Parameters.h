// The effect's parameters, in one place for every part that names, stores, shows or hears
// them: the signal path, the effect and its format bindings, the editor, auto-gain and the
// presets. Values travel normalised (0 to 1 in normal use, stored unclamped); the laws here
// turn them into what the sound and the user see.
#pragma once

#include <array>
#include <cstdint>

namespace parameter {

// Indices 0 to 10 act; 11 to 23 are placeholders kept so that stored sessions keep their
// layout. The order is the hosts', the presets' and the signal path's.
enum Index : int32_t {
    kGain,
    kVolume,
    kAttack,
    kRelease,
    kRatio,
    kLeftGrid,
    kRightGrid,
    kDryWet,
    kPower,
    kAutogain,  // not heard by the signal path: it drives the editor's auto-gain
    kSidechain,
    kActiveCount
};
inline constexpr int32_t kCount = 24;
inline constexpr const char* kPlaceholderName = "-";
inline constexpr float kPlaceholderDefault = 0.5f;

// How the value a user thinks in (the real value, in a unit where there is one) follows
// from the normalised one. Formats that show real values (CLAP, LV2) use these.
enum class Law : uint8_t {
    inputGainDb,     // 0 to +50 dB
    outputVolumeDb,  // -50 to 0 dB
    attackMs,        // time constant of the level and gain smoothing, at 48 kHz
    // The number the read-out shows; the text adds the level smoothing's time constant,
    // which does not rise steadily with it and so cannot be the value itself.
    releaseTime,
    times100,        // the number the read-out shows (Ratio)
    percent,         // 0 to 100 %
    onOff,           // on above 0.5
    sidechainMode,   // off, the low shelf, the high shelf
};

// The number(s) a read-out message prints of a value v.
enum class Readout : uint8_t {
    gainDb,    // inputGainDb(v), rounded to single precision
    volumeDb,  // outputVolumeDb(v), in double precision
    times100,  // v x 100, rounded to single precision
    dryWet,    // 100 - w and w, with w = v x 100 rounded to single precision
    value,     // v itself
};

struct Info {
    const char* name;       // as hosts list it
    const char* symbol;     // the identifier of its LV2 port: stable, as sessions store it
    const char* presetKey;  // the key of its line in the preset text
    float defaultValue;
    Law law;
    Readout readout;
    // printf formats of the read-out line: when the user changes the control, and when
    // the mouse rests on it. A format may print fewer numbers than the read-out gives.
    const char* changedMessage;
    const char* hoveredMessage;
};

inline constexpr std::array<Info, kActiveCount> kTable{{
    {"Gain", "gain", "InGain", 0.0f, Law::inputGainDb, Readout::gainDb, "Input Gain %.2f dB", "Input Gain %.2f dB"},
    {"Volume", "volume", "OutGain", 1.0f, Law::outputVolumeDb, Readout::volumeDb, "Output Volume %.2f dB",
     "Output Volume %.2f dB"},
    {"Attack", "attack", "Atk", 0.2f, Law::attackMs, Readout::times100, "Attack Time %.2f", "Attack Time %.2f"},
    {"Release", "release", "Rls", 0.5f, Law::releaseTime, Readout::times100, "Release Time %.2f", "Release Time %.2f"},
    {"Ratio", "ratio", "Ratio", 0.8f, Law::times100, Readout::times100, "Ratio %.2f", "Ratio %.2f"},
    {"LeftGrid", "left_grid", "LGrid", 0.3f, Law::percent, Readout::times100, "Polarisation %.2f", "Grid Left %.2f"},
    {"RightGrid", "right_grid", "RGrid", 0.3f, Law::percent, Readout::times100, "Saturation %.2f", "Grid Right %.2f"},
    {"Dry-Wet", "dry_wet", "DryWetMix", 1.0f, Law::percent, Readout::dryWet, "Dry %.1f Wet %.1f %%",
     "Dry %.1f Wet %.1f %%"},
    {"Power", "power", "ON", 1.0f, Law::onOff, Readout::value, "Power", "Power"},
    {"Autogain", "autogain", "AG", 1.0f, Law::onOff, Readout::value, "AutoGain %.1f", "AutoGain"},
    {"Sidechain", "sidechain", "SC", 0.0f, Law::sidechainMode, Readout::value, "SideChain Filter", "SideChain filter"},
}};

constexpr bool isIndex(int32_t index) { return index >= 0 && index < kCount; }
constexpr bool isActive(int32_t index) { return index >= 0 && index < kActiveCount; }

constexpr const char* name(int32_t index) {
    return isActive(index) ? kTable[index].name : kPlaceholderName;
}

constexpr float defaultValue(int32_t index) {
    return isActive(index) ? kTable[index].defaultValue : kPlaceholderDefault;
}

// The gain laws, in the precision of the caller: the signal path works in single precision,
// the read-out of the output volume in double.
template <typename T>
constexpr T inputGainDb(T v) {
    return T(50) * v;
}
template <typename T>
constexpr T outputVolumeDb(T v) {
    return T(50) * v - T(50);
}
// The normalised output volume whose dB is `db`, as auto-gain aims at it.
constexpr double outputVolumeForDb(double db) { return (db + 50.0) * 0.02; }

// Power and Autogain are on strictly above one half.
constexpr bool isOn(float v) { return v > 0.5f; }

// The sidechain filter's position: 0 (off) for v below 0.255, 1 up to 0.755, 2 up to
// 1.255, and 0 for anything else, non-finite values included. Decided on the float itself,
// so that no out-of-range integer conversion can occur.
constexpr int sidechainMode(float v) {
    const float position = 2.0f * v + 0.49f;
    if (position >= 1.0f && position < 2.0f) return 1;
    if (position >= 2.0f && position < 3.0f) return 2;
    return 0;
}

}  // namespace parameter
