// How the options pages show the settings and read them back: the entries of
// each drop-down with the value behind each, and the typed number fields.
// A value the entries do not hold (a hand-edited file, a screen mode that is
// gone) gets an entry of its own, so that OK keeps it instead of changing it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/display_modes.h"

struct ChoiceList {
  std::vector<std::string> labels;
  std::vector<int32_t> values;
};

// A list whose values are the positions 0, 1, 2, ...
ChoiceList PositionChoices(std::vector<std::string> labels);

ChoiceList VideoModeChoices();
ChoiceList RotationChoices();
ChoiceList IntegerScaleChoices();  // Off, 1x ... 8x = 0 ... 8
ChoiceList PrescaleChoices();      // 1x (Off), 2x ... 8x = 1 ... 8
ChoiceList FrameSkipChoices();     // Off = 0, Auto = -1, 1 ... 10
ChoiceList GlslFilterChoices();
ChoiceList BgfxChainChoices();
ChoiceList BgfxBackendChoices();
ChoiceList FilterScalerChoices();
ChoiceList DitherChoices();
ChoiceList SoundChoices();
ChoiceList SampleRateChoices();    // Default (48000 Hz) = 0, then the rates in Hz
ChoiceList AudioLatencyChoices();  // 1 ... 5
ChoiceList JoystickProviderChoices();
ChoiceList AutofireSpeedChoices();
ChoiceList OnGameStartChoices();
ChoiceList ThemeChoices();

// The entry that shows `value`; when there is none an entry labelled by
// `unlisted` (with "%d" standing for the value) is added at the end for it.
int ChoiceIndexAdding(ChoiceList& list, int32_t value, const std::string& unlisted = "%d");

// Drop-downs of text values (the MAME options of the light gun).
struct TextChoiceList {
  std::vector<std::string> labels;
  std::vector<std::string> values;
};
TextChoiceList LightgunDeviceChoices();
TextChoiceList LightgunProviderChoices();
// The entry of `value` (compared without regard to case); an unknown value
// is added with itself as its label.
int TextChoiceIndexAdding(TextChoiceList& list, const std::string& value);

// Resolution: "Auto (MAME's Choice)" for 0 x 0, then the display modes as
// "%d x %d"; a saved size that is no display mode is added at the end.
struct ResolutionList {
  std::vector<std::string> labels;
  std::vector<std::pair<int32_t, int32_t>> sizes;
};
ResolutionList ResolutionChoices(const DisplayModes& modes, int32_t width, int32_t height, int* selected);

// Controller File: "None", then the files of MAME's ctrlr folder; a saved name
// that is not among them is added at the end (MAME may still find it).
std::vector<std::string> ControllerFileChoices(const std::vector<std::string>& files, const std::string& saved,
                                               int* selected);
// The setting for an entry: empty for "None"; a name too long for the
// setting (64 characters with its end) is not taken and `current` stays.
std::string ControllerFileOf(const std::vector<std::string>& labels, int selected, const std::string& current);

// A typed whole number between low and high: clamped into the range; text
// that is no number keeps `current`.
int32_t ReadNumberField(const std::string& text, int32_t low, int32_t high, int32_t current);

// The ROMs folder field after a folder was chosen: with `append` (Ctrl held)
// and a field that is not empty, the folder is added after ";" (unless the
// field already lists it); otherwise it replaces the field.
std::string RomsFieldAfterChoice(const std::string& field, const std::string& chosen, bool append);
// The folder a folder dialog starts in: the field's first folder.
std::string FirstFolderOf(const std::string& field);

// MAME splits its ROM path at ";" as the launcher splits the ROMs Folder
// field, so neither can use a folder whose own path holds one. Such a folder
// shows in a field as a run of pieces that, joined again by ";", name an
// existing folder (`is_folder` decides for a path as typed). The first such
// run goes to `folder` and the field without it to `rest`; false when the
// field holds none.
bool FindSemicolonFolder(const std::string& field, const std::function<bool(const std::string&)>& is_folder,
                         std::string& folder, std::string& rest);
// The message that refuses such a folder.
std::string SemicolonFolderText(const std::string& folder);
