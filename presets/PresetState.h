// The editor's preset state: the text built from the effect's parameters, the text read
// from a file or the clipboard and what its scan found, and the path of the last preset
// file. All in fixed fields, each zero-terminated and never written past its end.
//
// The preset text is twelve lines: "Marvolenzik 010000", then one "KEY VALUE" line for
// each of parameters 0 to 10, the value normalised and printed with " %.10f". Reading
// takes tokens and numbers by position only; see parsePresetText.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "effect/Parameters.h"
#include "presets/PresetParameters.h"

inline constexpr std::size_t kPresetTextBytes = 10000;
inline constexpr std::size_t kLongestPresetText = kPresetTextBytes - 1;
inline constexpr std::size_t kPresetHeaderWordBytes = 43;
inline constexpr std::size_t kPresetValueSlots = 200;
inline constexpr std::size_t kPresetPathBytes = 1000;
// A preset file's path, extension included; a longer one is refused.
inline constexpr std::size_t kLongestPresetPath = 255;
// Parameters 0 to 10, each on the line of its preset key; the placeholders are not saved.
inline constexpr int kPresetParameterCount = parameter::kActiveCount;
inline constexpr std::string_view kPresetProductWord = "Marvolenzik";
// The clipboard's text counts as a preset only when the product word lies within these.
inline constexpr std::size_t kClipboardProductWordWindow = 19;

enum class PresetFileOutcome {
    done,         // loaded and applied, or written
    pathRefused,  // empty, holding a zero byte, or longer than kLongestPresetPath
    cannotOpen,   // missing, not a regular file, no permission, folder missing
    notAPreset,   // read, but not an acceptable preset text: nothing applied
    cannotWrite,  // opened for writing, but the text did not all reach the file
};

class PresetState {
public:
    // Builds the text from parameters 0 to 10 into presetOutText and copies it, with its
    // terminating zero, into `buffer`. Returns the text's length.
    std::size_t buildPresetText(PresetParameters& parameters,
                                std::span<char, kPresetTextBytes> buffer);

    // Copies `text` into presetInText. At most kLongestPresetText characters fit; a
    // longer text is cut there, and parsePresetText accepts a cut text only when its
    // eleventh value ended before the cut.
    void fillPresetInText(std::string_view text);

    // Scans presetInText: a token (its first 42 characters kept as presetHeaderWord), the
    // version number, then eleven times a token (skipped, whatever it says) and a number
    // (into presetValues, slots 0 to 10; all 200 slots are zeroed first). White space is
    // the C locale's; line structure does not matter; text after the eleventh value is
    // ignored; the text ends at its first zero byte. True when all thirteen fields were
    // found and the version is at least 10000. Values are not clamped; see
    // scanDecimalNumber for the numbers refused.
    bool parsePresetText();

    // Hands slots 0 to 10 to setParameterAutomated, in index order. Only after
    // parsePresetText returned true.
    void applyPresetValues(PresetParameters& parameters);

    // Takes `path` as presetPath, reads the file (at most kLongestPresetText characters
    // of it), scans it and, when it is a preset, applies it. Any first word is accepted.
    PresetFileOutcome loadPresetFile(std::string_view path, PresetParameters& parameters);

    // Appends ".dez" to `chosenPath` unless it holds those four characters anywhere
    // (exact case), then writes presetOutText there with writePresetOutText. The text
    // must have been built first: a save copies the preset to the clipboard beforehand.
    PresetFileOutcome savePresetFile(std::string_view chosenPath);

    // Takes `path` as presetPath unchanged and writes presetOutText to it, creating or
    // emptying the file.
    PresetFileOutcome writePresetOutText(std::string_view path);

    // Paste. The clipboard's test first: only when the product word lies within the
    // text's first 19 characters is the text copied into presetInText (as
    // fillPresetInText does); otherwise presetInText is left as it was. Then
    // parsePresetText and applyPresetValues in turn; true when the preset was applied.
    // The text may hold anything; it ends at its first zero byte or at its length.
    bool pastePresetText(std::string_view clipboardText, PresetParameters& parameters);

    std::string_view presetOutText() const;
    std::string_view presetInText() const;
    std::string_view presetHeaderWord() const;
    float presetVersion() const { return presetVersion_; }
    std::span<const float, kPresetValueSlots> presetValues() const { return presetValues_; }
    // The last path loaded from or written to (after a save, with its extension). Empty
    // until then; a refused path leaves it as it was.
    std::string_view presetPath() const;

private:
    bool takePresetPath(std::string_view path);

    char presetOutText_[kPresetTextBytes] = {};
    char presetInText_[kPresetTextBytes] = {};
    bool presetInTextCut_ = false;
    char presetHeaderWord_[kPresetHeaderWordBytes] = {};
    float presetVersion_ = 0.0f;
    float presetValues_[kPresetValueSlots] = {};
    char presetPath_[kPresetPathBytes] = {};
};
