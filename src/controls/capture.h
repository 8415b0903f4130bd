// The decisions of the key and pad capture dialogs, apart from the devices:
// each tick hands over the previous and the current readings and gets back
// "keep waiting" or the answer. Controls count on a new press only, so a key
// or button held when the dialog opens must be released and pressed again.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "controls/pad_probe.h"

// ---- Keys ----

using KeyStates = std::array<bool, 256>;  // down-flag per virtual key

enum class CaptureStatus { Waiting, Chosen, Cancelled };

struct KeyCapture {
  CaptureStatus status = CaptureStatus::Waiting;
  std::string name;  // MAME key name; empty with Chosen means "no key" (Delete)
};

// The first key of the key-name table (Esc and Delete aside) that is down now
// and was not before wins; then a new Esc cancels and a new Delete chooses
// "no key".
KeyCapture DecideKeyCapture(const KeyStates& before, const KeyStates& now);

// ---- Pads ----

constexpr int kXInputPadCount = 4;
constexpr int kLegacyJoystickCount = 16;
constexpr size_t kPadCodeMax = 71;  // bytes the mapping keeps of a pad code

struct XInputReading {
  bool ok = false;  // the pad could be read
  uint16_t buttons = 0;
  uint8_t left_trigger = 0, right_trigger = 0;
  int16_t thumb_lx = 0, thumb_ly = 0;  // left stick; up is positive
};

struct JoystickReading {
  bool ok = false;
  uint32_t buttons = 0;  // bit n = button n + 1
  uint32_t pov = 65535;  // hundredths of a degree; 65535 = centred
  uint32_t x = 32767, y = 32767;  // 0-65535, y grows downwards
};

struct PadReadings {
  bool xinput = false;  // an XInput library is loaded (the pads below mean something)
  std::array<XInputReading, kXInputPadCount> pads;
  std::array<JoystickReading, kLegacyJoystickCount> joysticks;
};

// The legacy joystick's state word: buttons 1-20 in bits 0-19, POV up, down,
// left, right in bits 20-23, stick up, down, left, right in bits 24-27.
uint32_t LegacyJoystickWord(const JoystickReading& r);

// What the previous tick saw; a pad that could not be read counts as released.
struct PadCaptureMemory {
  std::array<uint16_t, kXInputPadCount> buttons{};
  std::array<bool, kXInputPadCount> left_trigger{}, right_trigger{};
  std::array<uint32_t, kLegacyJoystickCount> words{};
};
PadCaptureMemory PadCaptureBaseline(const PadReadings& readings);

struct PadCaptureSetup {
  bool directions = false;  // D-pad and stick count, buttons and triggers do not
  // MAME's joystick number of XInput user k from the probe (0 = not found).
  std::array<int, kXInputPadCount> probe_numbers{};
  int forced_pad = 0;  // "Pad N" of the Pad Number choice, 0 = automatic
};

// One tick: updates `memory` and returns the pad code (without "JOYCODE_",
// at most 71 bytes) when a control was chosen.
std::optional<std::string> DecidePadCapture(PadCaptureMemory& memory, const PadReadings& now,
                                            const PadCaptureSetup& setup, const PadProbe& probe);
