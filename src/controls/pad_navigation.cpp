#include "controls/pad_navigation.h"

namespace {
// The controls the launcher reads, merged over every pad and joystick: an
// XInput pad is usually seen through the joystick interface as well, and
// one press must act once.
enum : uint32_t {
  kUp = 1u << 0,
  kDown = 1u << 1,
  kLeft = 1u << 2,
  kRight = 1u << 3,
  kA = 1u << 4,
  kB = 1u << 5,
  kX = 1u << 6,
  kY = 1u << 7,
  kLB = 1u << 8,
  kRB = 1u << 9,
  kStart = 1u << 10,
  kBack = 1u << 11,
  kLT = 1u << 12,  // the triggers: XInput pads only
  kRT = 1u << 13,
};
constexpr uint32_t kCombo = kStart | kBack;

// XInput's buttons word and the joystick interface's buttons 1-8 (the order
// in which Windows reports an XInput pad there) to the launcher's controls.
struct ButtonMap {
  uint32_t from, control;
};
constexpr ButtonMap kXInputButtons[] = {
    {0x0001, kUp}, {0x0002, kDown}, {0x0004, kLeft}, {0x0008, kRight}, {0x0010, kStart}, {0x0020, kBack},
    {0x0100, kLB}, {0x0200, kRB},   {0x1000, kA},    {0x2000, kB},     {0x4000, kX},     {0x8000, kY},
};
constexpr ButtonMap kJoystickButtons[] = {
    {1u << 0, kA}, {1u << 1, kB}, {1u << 2, kX}, {1u << 3, kY}, {1u << 4, kLB}, {1u << 5, kRB}, {1u << 6, kBack},
    {1u << 7, kStart},
};
// The POV bits of LegacyJoystickWord.
constexpr ButtonMap kJoystickPov[] = {{1u << 20, kUp}, {1u << 21, kDown}, {1u << 22, kLeft}, {1u << 23, kRight}};

// A stick counts once it is pushed about half way; held, it keeps counting
// down to a little less, so a hand resting at the edge does not flicker.
// A trigger likewise, on its scale of 0 to 255.
constexpr int kStickPush = 16000;
constexpr int kStickKeep = 12000;
constexpr int kTriggerPush = 96;
constexpr int kTriggerKeep = 48;

uint32_t Mapped(uint32_t word, const ButtonMap* map, size_t count) {
  uint32_t out = 0;
  for (size_t i = 0; i < count; ++i)
    if (word & map[i].from) out |= map[i].control;
  return out;
}
template <size_t N>
uint32_t Mapped(uint32_t word, const ButtonMap (&map)[N]) {
  return Mapped(word, map, N);
}

// `forward` and `back` are the stick's offsets from its centre in the
// positive and the negative direction (one of them is at most 0).
uint32_t Trigger(int value, uint32_t control, uint32_t held_before) {
  return value > kTriggerPush || (value > kTriggerKeep && (held_before & control)) ? control : 0;
}

uint32_t StickAxis(int offset, uint32_t positive, uint32_t negative, uint32_t held_before) {
  auto pushed = [&](int amount, uint32_t control) {
    return amount > kStickPush || (amount > kStickKeep && (held_before & control));
  };
  if (pushed(offset, positive)) return positive;
  if (pushed(-offset, negative)) return negative;
  return 0;
}

struct Snapshot {
  uint32_t held = 0, connected = 0;
};

Snapshot ReadControls(const PadReadings& r, uint32_t held_before) {
  Snapshot s;
  if (r.xinput) {
    for (size_t k = 0; k < kXInputPadCount; ++k) {
      const XInputReading& pad = r.pads[k];
      if (!pad.ok) continue;
      s.connected |= 1u << k;
      s.held |= Mapped(pad.buttons, kXInputButtons);
      s.held |= StickAxis(pad.thumb_ly, kUp, kDown, held_before);  // up is positive
      s.held |= StickAxis(pad.thumb_lx, kRight, kLeft, held_before);
      s.held |= Trigger(pad.left_trigger, kLT, held_before) | Trigger(pad.right_trigger, kRT, held_before);
    }
  }
  for (size_t j = 0; j < kLegacyJoystickCount; ++j) {
    const JoystickReading& stick = r.joysticks[j];
    if (!stick.ok) continue;
    s.connected |= 1u << (kXInputPadCount + j);
    const uint32_t word = LegacyJoystickWord(stick);
    s.held |= Mapped(word, kJoystickButtons) | Mapped(word, kJoystickPov);
    s.held |= StickAxis(32768 - static_cast<int>(stick.y), kUp, kDown, held_before);  // y grows downwards
    s.held |= StickAxis(static_cast<int>(stick.x) - 32768, kRight, kLeft, held_before);
  }
  return s;
}

bool Reached(uint32_t now, uint32_t when) { return static_cast<int32_t>(now - when) >= 0; }

// The pause before the next repeat, after the control has been held `held_ms`:
// the rate climbs evenly from the first to the top rate.
uint32_t RepeatInterval(uint32_t held_ms) {
  uint32_t ramp = held_ms > kPadRepeatDelayMs ? held_ms - kPadRepeatDelayMs : 0;
  if (ramp > kPadRepeatRampMs) ramp = kPadRepeatRampMs;
  const uint32_t milli_rate =
      kPadRepeatFirstRate * 1000 + (kPadRepeatTopRate - kPadRepeatFirstRate) * 1000 * ramp / kPadRepeatRampMs;
  return 1000 * 1000 / milli_rate;
}

PadAction ActionOf(uint32_t control) {
  switch (control) {
    case kUp: return PadAction::kUp;
    case kDown: return PadAction::kDown;
    case kLeft: return PadAction::kLeft;
    case kRight: return PadAction::kRight;
    case kLB: return PadAction::kPageUp;
    case kRB: return PadAction::kPageDown;
    case kA: return PadAction::kAccept;
    case kB: return PadAction::kCancel;
    case kX: return PadAction::kSearch;
    case kY: return PadAction::kFavorite;
    case kStart: return PadAction::kSettings;
    case kLT: return PadAction::kPreviousPicture;
    case kRT: return PadAction::kNextPicture;
    default: return PadAction::kFavoritesOnly;
  }
}

void Press(PadNavigationMemory& m, std::vector<PadAction>& out, uint32_t control, uint32_t now) {
  out.push_back(ActionOf(control));
  m.repeating = control;
  m.pressed_at = now;
  m.next_repeat_at = now + kPadRepeatDelayMs;
}

void Navigate(PadNavigationMemory& m, std::vector<PadAction>& out, uint32_t held, uint32_t fresh, uint32_t now,
              bool device_lost) {
  // One direction a tick, the list's own first: a diagonal moves the selection.
  uint32_t direction = 0;
  for (uint32_t d : {kUp, kDown, kLeft, kRight})
    if (!direction && (fresh & d)) direction = d;
  if (direction) Press(m, out, direction, now);
  for (uint32_t page : {kLB, kRB})
    if (fresh & page) Press(m, out, page, now);
  for (uint32_t button : {kA, kB, kY, kX, kLT, kRT})
    if (fresh & button) out.push_back(ActionOf(button));

  if (m.repeating && !(held & m.repeating)) m.repeating = 0;
  if (m.repeating && !(fresh & m.repeating) && Reached(now, m.next_repeat_at)) {
    out.push_back(ActionOf(m.repeating));
    m.next_repeat_at += RepeatInterval(now - m.pressed_at);
    if (!Reached(m.next_repeat_at, now)) m.next_repeat_at = now;  // a late tick catches up one step, no burst
  }

  // Start and Back act when let go, so that pressing both for the exit
  // combination opens nothing on the way; a pad that vanished let go of nothing.
  if ((held & kCombo) == kCombo) m.armed = 0;
  const uint32_t released = m.held & ~held & m.armed;
  m.armed &= ~released;
  if (!device_lost)
    for (uint32_t button : {kStart, kBack})
      if (released & button) out.push_back(ActionOf(button));
  for (uint32_t button : {kStart, kBack})
    if ((fresh & button) && !(held & (kCombo & ~button))) m.armed |= button;
}

void WatchExitCombo(PadNavigationMemory& m, std::vector<PadAction>& out, uint32_t held, uint32_t now, bool watched) {
  if ((held & kCombo) != kCombo || !watched) {
    m.combo_held = false;
    if ((held & kCombo) != kCombo) m.combo_done = false;
    return;
  }
  if (!m.combo_held) {
    m.combo_held = true;
    m.combo_since = now;
  }
  if (!m.combo_done && now - m.combo_since >= kPadExitHoldMs) {
    m.combo_done = true;
    out.push_back(PadAction::kEndGame);
  }
}
}  // namespace

std::vector<PadAction> DecidePadNavigation(PadNavigationMemory& memory, const PadReadings& now, uint32_t now_ms,
                                           const PadNavigationMode& mode) {
  std::vector<PadAction> out;
  const Snapshot s = ReadControls(now, memory.held);
  if (!memory.primed) {
    memory = PadNavigationMemory{};
    memory.primed = true;
    memory.held = s.held;
    memory.connected = s.connected;
    memory.combo_done = (s.held & kCombo) == kCombo;  // held from before: needs a new hold
    return out;
  }
  // A pad that was just plugged in (or read again after a failed read) brings
  // its held controls along: they are not new presses.
  const bool device_new = (s.connected & ~memory.connected) != 0;
  const bool device_lost = (memory.connected & ~s.connected) != 0;
  const uint32_t fresh = device_new ? 0 : s.held & ~memory.held;
  if (mode.navigate) {
    Navigate(memory, out, s.held, fresh, now_ms, device_lost);
  } else {
    memory.repeating = 0;
    memory.armed = 0;
  }
  WatchExitCombo(memory, out, s.held, now_ms, mode.exit_combo);
  memory.held = s.held;
  memory.connected = s.connected;
  return out;
}

uint32_t PadPollPeriodMs(bool navigation_on, bool exit_combo_on, bool launcher_in_front, bool game_running,
                         bool pad_connected) {
  if (navigation_on && launcher_in_front) return pad_connected ? 16 : kPadLookPeriodMs;
  if (exit_combo_on && game_running) return 100;
  return 0;
}

std::string LetterJumpKey(std::string_view cell, bool whole) {
  if (whole || cell.empty()) return std::string(cell);
  const unsigned char lead = static_cast<unsigned char>(cell[0]);
  if (lead < 0x80) return std::string(1, static_cast<char>(lead >= 'a' && lead <= 'z' ? lead - 'a' + 'A' : lead));
  size_t length = 1;  // a whole UTF-8 character
  while (length < cell.size() && (static_cast<unsigned char>(cell[length]) & 0xC0) == 0x80) ++length;
  return std::string(cell.substr(0, length));
}

int LetterJumpRow(const std::vector<std::string>& keys, int current, int direction) {
  const int count = static_cast<int>(keys.size());
  if (count == 0) return -1;
  if (current < 0 || current >= count) return 0;
  auto key = [&](int row) -> const std::string& { return keys[static_cast<size_t>(row)]; };
  if (direction > 0) {
    for (int row = current + 1; row < count; ++row)
      if (key(row) != key(current)) return row;
    return current;
  }
  int start = current;  // the first row of the current group
  while (start > 0 && key(start - 1) == key(current)) --start;
  if (start == 0) return 0;
  int previous = start - 1;
  while (previous > 0 && key(previous - 1) == key(start - 1)) --previous;
  return previous;
}

PadStep PadStepFor(PadAction action, const PadPlace& place) {
  const PadFocus focus = place.focus;
  const bool in_list = focus == PadFocus::kGameList || focus == PadFocus::kList;
  switch (action) {
    case PadAction::kUp:
    case PadAction::kDown: {
      const bool up = action == PadAction::kUp;
      const PadStep key = up ? PadStep::kUpKey : PadStep::kDownKey;
      // The game list and the search field (which hands Down on to the
      // results) take the arrows; another list too, until its first or last
      // row, where the pad goes on to the neighbouring control as Tab would.
      if (focus == PadFocus::kGameList || focus == PadFocus::kSearchBox || place.drop_down_open) return key;
      if (focus == PadFocus::kList && !(up ? place.first_row : place.last_row)) return key;
      return up ? PadStep::kPreviousControl : PadStep::kNextControl;
    }
    case PadAction::kLeft:
    case PadAction::kRight: {
      const bool left = action == PadAction::kLeft;
      if (focus == PadFocus::kGameList) return left ? PadStep::kPreviousLetter : PadStep::kNextLetter;
      // A drop-down's previous / next entry; a number one less / more.
      if (focus == PadFocus::kDropDown) return left ? PadStep::kUpKey : PadStep::kDownKey;
      if (focus == PadFocus::kNumberField) return left ? PadStep::kDownKey : PadStep::kUpKey;
      return left ? PadStep::kLeftKey : PadStep::kRightKey;
    }
    case PadAction::kPageUp:
    case PadAction::kPageDown: {
      const bool back = action == PadAction::kPageUp;
      if (focus == PadFocus::kGameList || (in_list && !place.has_tabs))
        return back ? PadStep::kPageUpKey : PadStep::kPageDownKey;
      if (place.has_tabs) return back ? PadStep::kPreviousTab : PadStep::kNextTab;
      return PadStep::kNothing;
    }
    case PadAction::kAccept:
      // Enter would press a window's default button instead of the focused one.
      if (!place.drop_down_open &&
          (focus == PadFocus::kButton || focus == PadFocus::kCheckBox || focus == PadFocus::kOptionButton))
        return PadStep::kSpaceKey;
      return PadStep::kEnterKey;
    case PadAction::kCancel: return PadStep::kEscapeKey;
    case PadAction::kEndGame: return PadStep::kEndGame;
    case PadAction::kFavorite:
    case PadAction::kSearch:
    case PadAction::kSettings:
    case PadAction::kFavoritesOnly:
      // The main window's commands: in a dialog or the options window they
      // would act behind it.
      if (!place.main_window) return PadStep::kNothing;
      return action == PadAction::kFavorite ? PadStep::kFavorite
             : action == PadAction::kSearch ? PadStep::kSearch
             : action == PadAction::kSettings ? PadStep::kSettings
                                              : PadStep::kFavoritesOnly;
    case PadAction::kPreviousPicture:
    case PadAction::kNextPicture:
      if (!place.main_window) return PadStep::kNothing;
      return action == PadAction::kPreviousPicture ? PadStep::kPreviousPicture : PadStep::kNextPicture;
  }
  return PadStep::kNothing;
}

std::vector<std::pair<std::string, std::string>> PadShortcutRows() {
  return {
      {"PAD", "(Controls tab: Navigate The Launcher With A Pad; any pad or arcade stick)"},
      {"D-pad / left stick up, down", "Move the selection (held: repeats, faster and faster)"},
      {"D-pad / left stick left, right", "Previous / next letter of the sorted column in the game list"},
      {"LB  /  RB", "A page up / down"},
      {"A", "Enter: play the selected game"},
      {"B", "Esc: close the search bar, a dialog or the options window"},
      {"Y", "Toggle favorite (Ctrl+D)"},
      {"X", "Search (Ctrl+F); then down into the results"},
      {"Start", "Settings (F9)"},
      {"Back", "Favorites Only"},
      {"LT  /  RT", "Previous / next picture of the game (Ctrl+PgUp / Ctrl+PgDn)"},
      {"Back + Start held 1 s", "End the running game, as Game > Stop"},
      // One line each: the table's column is as wide as the window.
      {"In Settings and dialogs", "Up / down: the previous / next control (Tab)"},
      {"", "Left / right: change a choice or a number"},
      {"", "LB / RB: the previous / next tab"},
      {"", "A: press the button or tick the box; B: Cancel"},
  };
}
