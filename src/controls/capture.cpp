#include "controls/capture.h"

#include "controls/key_names.h"

namespace {
constexpr int kEsc = 0x1B;
constexpr int kDelete = 0x2E;

bool NewlyDown(const KeyStates& before, const KeyStates& now, int key) {
  return key >= 0 && key < 256 && now[static_cast<size_t>(key)] && !before[static_cast<size_t>(key)];
}

// XInput buttons in the order they win when several go down together, with
// the probe's item name and the item MAME gives them without probe data.
struct PadControl {
  uint16_t mask;
  const char* item;
  const char* part;
};
constexpr PadControl kXInputButtons[] = {
    {0x1000, "A", "BUTTON1"},    {0x2000, "B", "BUTTON2"},  {0x4000, "X", "BUTTON3"},  {0x8000, "Y", "BUTTON4"},
    {0x0100, "LB", "BUTTON5"},   {0x0200, "RB", "BUTTON6"}, {0x0040, "LSB", "BUTTON7"}, {0x0080, "RSB", "BUTTON8"},
    {0x0010, "Start", "START"},  {0x0020, "Back", "SELECT"},
};
constexpr PadControl kXInputDpad[] = {
    {0x0001, "D-pad Up", "HAT1UP"},
    {0x0002, "D-pad Down", "HAT1DOWN"},
    {0x0004, "D-pad Left", "HAT1LEFT"},
    {0x0008, "D-pad Right", "HAT1RIGHT"},
};

constexpr int kStickThreshold = 16000;
constexpr uint8_t kTriggerPressed = 128;

// Legacy joystick direction bits in the order they win: POV, then stick.
struct DirectionBit {
  int bit;
  const char* part;
};
constexpr DirectionBit kLegacyDirections[] = {
    {20, "HAT1UP"},          {21, "HAT1DOWN"},          {22, "HAT1LEFT"},          {23, "HAT1RIGHT"},
    {24, "YAXIS_UP_SWITCH"}, {25, "YAXIS_DOWN_SWITCH"}, {26, "XAXIS_LEFT_SWITCH"}, {27, "XAXIS_RIGHT_SWITCH"},
};

std::string PadCode(int number, const std::string& part, const PadCaptureSetup& setup) {
  if (setup.forced_pad > 0) number = setup.forced_pad;
  std::string code = std::to_string(number) + "_" + part;
  if (code.size() > kPadCodeMax) {
    size_t cut = kPadCodeMax;
    while (cut > 0 && (static_cast<unsigned char>(code[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 characters
    code.resize(cut);
  }
  return code;
}

int XInputNumber(const PadCaptureSetup& setup, int k) {
  int probed = setup.probe_numbers[static_cast<size_t>(k)];
  return probed > 0 ? probed : k + 1;
}

// An XInput control: MAME's token for the item when the probe knows it, else
// the usual item; a trigger's token becomes a switch in the direction away
// from where it rests.
std::string FinishXInput(int k, const char* item, const char* default_part, bool trigger,
                         const PadCaptureSetup& setup, const PadProbe& probe) {
  int number = XInputNumber(setup, k);
  std::string part = default_part;
  if (std::optional<ProbeItem> found = ProbeTokenOf(probe, number, item)) {
    part = found->token;
    if (trigger) part += found->current < -15999 ? "_POS_SWITCH" : "_NEG_SWITCH";
  }
  return PadCode(number, part, setup);
}

std::optional<std::string> XInputTick(int k, PadCaptureMemory& memory, const XInputReading& pad,
                                      const PadCaptureSetup& setup, const PadProbe& probe) {
  const size_t i = static_cast<size_t>(k);
  if (!pad.ok) {
    memory.buttons[i] = 0;
    return std::nullopt;
  }
  const uint16_t pressed = pad.buttons & static_cast<uint16_t>(~memory.buttons[i]);
  memory.buttons[i] = pad.buttons;
  if (setup.directions) {
    for (const PadControl& c : kXInputDpad)
      if (pressed & c.mask) return FinishXInput(k, c.item, c.part, false, setup, probe);
    // The stick counts by where it is, not by a new movement: it rests in
    // the middle, so a held stick is meant.
    const char* part = pad.thumb_ly > kStickThreshold    ? "YAXIS_UP_SWITCH"
                       : pad.thumb_ly < -kStickThreshold ? "YAXIS_DOWN_SWITCH"
                       : pad.thumb_lx < -kStickThreshold ? "XAXIS_LEFT_SWITCH"
                       : pad.thumb_lx > kStickThreshold  ? "XAXIS_RIGHT_SWITCH"
                                                         : nullptr;
    if (part) return PadCode(XInputNumber(setup, k), part, setup);
    return std::nullopt;
  }
  for (const PadControl& c : kXInputButtons)
    if (pressed & c.mask) return FinishXInput(k, c.item, c.part, false, setup, probe);
  const bool left = pad.left_trigger >= kTriggerPressed, right = pad.right_trigger >= kTriggerPressed;
  const bool left_new = left && !memory.left_trigger[i], right_new = right && !memory.right_trigger[i];
  memory.left_trigger[i] = left;
  memory.right_trigger[i] = right;
  if (left_new) return FinishXInput(k, "LT", "SLIDER1_NEG_SWITCH", true, setup, probe);
  if (right_new) return FinishXInput(k, "RT", "SLIDER2_NEG_SWITCH", true, setup, probe);
  return std::nullopt;
}

std::optional<std::string> LegacyTick(int j, PadCaptureMemory& memory, const JoystickReading& stick,
                                      const PadCaptureSetup& setup) {
  const size_t i = static_cast<size_t>(j);
  const uint32_t word = stick.ok ? LegacyJoystickWord(stick) : 0;
  const uint32_t fresh = word & ~memory.words[i];
  memory.words[i] = word;
  if (!fresh) return std::nullopt;
  if (setup.directions) {
    for (const DirectionBit& d : kLegacyDirections)
      if (fresh & (1u << d.bit)) return PadCode(j + 1, d.part, setup);
    return std::nullopt;
  }
  for (int b = 0; b < 20; ++b)
    if (fresh & (1u << b)) return PadCode(j + 1, "BUTTON" + std::to_string(b + 1), setup);
  return std::nullopt;
}
}  // namespace

KeyCapture DecideKeyCapture(const KeyStates& before, const KeyStates& now) {
  for (const KeyNameEntry& e : KeyNameTable()) {
    if (e.virtual_key == kEsc || e.virtual_key == kDelete) continue;
    if (NewlyDown(before, now, e.virtual_key)) return {CaptureStatus::Chosen, e.name};
  }
  if (NewlyDown(before, now, kEsc)) return {CaptureStatus::Cancelled, {}};
  if (NewlyDown(before, now, kDelete)) return {CaptureStatus::Chosen, {}};
  return {};
}

uint32_t LegacyJoystickWord(const JoystickReading& r) {
  uint32_t word = r.buttons & 0xFFFFFu;
  if (r.pov < 36001) {
    if (r.pov <= 4500 || r.pov >= 31500) word |= 1u << 20;
    if (r.pov >= 13500 && r.pov <= 22500) word |= 1u << 21;
    if (r.pov >= 22500 && r.pov <= 31500) word |= 1u << 22;
    if (r.pov >= 4500 && r.pov <= 13500) word |= 1u << 23;
  }
  if (r.y < 16768) word |= 1u << 24;
  if (r.y >= 48769) word |= 1u << 25;
  if (r.x < 16768) word |= 1u << 26;
  if (r.x >= 48769) word |= 1u << 27;
  return word;
}

PadCaptureMemory PadCaptureBaseline(const PadReadings& readings) {
  PadCaptureMemory memory;
  for (size_t k = 0; k < kXInputPadCount; ++k) {
    const XInputReading& pad = readings.pads[k];
    if (!readings.xinput || !pad.ok) continue;
    memory.buttons[k] = pad.buttons;
    memory.left_trigger[k] = pad.left_trigger >= kTriggerPressed;
    memory.right_trigger[k] = pad.right_trigger >= kTriggerPressed;
  }
  for (size_t j = 0; j < kLegacyJoystickCount; ++j)
    if (readings.joysticks[j].ok) memory.words[j] = LegacyJoystickWord(readings.joysticks[j]);
  return memory;
}

std::optional<std::string> DecidePadCapture(PadCaptureMemory& memory, const PadReadings& now,
                                            const PadCaptureSetup& setup, const PadProbe& probe) {
  if (now.xinput)
    for (int k = 0; k < kXInputPadCount; ++k)
      if (auto code = XInputTick(k, memory, now.pads[static_cast<size_t>(k)], setup, probe)) return code;
  for (int j = 0; j < kLegacyJoystickCount; ++j)
    if (auto code = LegacyTick(j, memory, now.joysticks[static_cast<size_t>(j)], setup)) return code;
  return std::nullopt;
}
