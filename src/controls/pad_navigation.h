// Couch mode: the launcher driven from a game pad, apart from the devices and
// the windows. Each tick hands over the readings of every pad and joystick and
// the time, and gets back what the player asked for; PadStepFor says what
// each action does where the focus is, and the window side turns that into
// the key presses it stands for.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/capture.h"

enum class PadAction : uint8_t {
  kUp,
  kDown,
  kPageUp,         // LB
  kPageDown,       // RB
  kLeft,           // the previous letter in the game list, a drop-down's previous entry...
  kRight,
  kAccept,         // A: Enter, or a press of the focused button
  kCancel,         // B: Esc
  kFavorite,       // Y: Ctrl+D
  kSearch,         // X: Ctrl+F
  kSettings,       // Start: F9
  kFavoritesOnly,  // Back
  kPreviousPicture,  // LT: the preview's previous picture of the game
  kNextPicture,      // RT
  kEndGame,        // Back + Start held for a second: stop the running game
};

struct PadNavigationMode {
  bool navigate = false;    // a launcher window is in front and no capture dialog is open
  bool exit_combo = false;  // a game the launcher started runs and Back + Start may end it
};

// What the previous ticks saw. A fresh record takes its first tick as the
// baseline, so controls held then count only once released and pressed again.
struct PadNavigationMemory {
  bool primed = false;
  uint32_t held = 0;        // controls of all pads together
  uint32_t connected = 0;   // which pads and joysticks could be read
  uint32_t armed = 0;       // Start / Back pressed while navigating; they act when let go alone
  uint32_t repeating = 0;   // the held direction or page control that repeats
  uint32_t pressed_at = 0, next_repeat_at = 0;
  uint32_t combo_since = 0;
  bool combo_held = false, combo_done = false;
};

constexpr uint32_t kPadRepeatDelayMs = 400;
constexpr int kPadRepeatFirstRate = 8;  // rows a second when the repeat starts
constexpr int kPadRepeatTopRate = 25;   // ... and after kPadRepeatRampMs more
constexpr uint32_t kPadRepeatRampMs = 1600;
constexpr uint32_t kPadExitHoldMs = 1000;

// One tick; the actions come in the order they are to be taken.
std::vector<PadAction> DecidePadNavigation(PadNavigationMemory& memory, const PadReadings& now, uint32_t now_ms,
                                           const PadNavigationMode& mode);

// How often to read the pads: 16 ms while a launcher window is in front and
// the pad navigates, 100 ms while only the exit combination is watched, 0 for
// not at all. With no pad or joystick connected the launcher only looks for
// one, every kPadLookPeriodMs: an idle launcher need not wake each frame.
constexpr uint32_t kPadLookPeriodMs = 250;
uint32_t PadPollPeriodMs(bool navigation_on, bool exit_combo_on, bool launcher_in_front, bool game_running,
                         bool pad_connected);

// The letter jump of the game list. A row's key is the first character of
// its cell in the sorted column (upper case), or the whole cell (`whole`,
// for years); rows with the same key in a run form a group.
std::string LetterJumpKey(std::string_view cell, bool whole);
// The row a jump lands on: the first row of the next group (+1), or of the
// group before the current one (-1); the first row without a current row.
// At either end it stays; -1 for an empty list.
int LetterJumpRow(const std::vector<std::string>& keys, int current, int direction);

// Where the keyboard focus is, as far as the pad's buttons care.
enum class PadFocus : uint8_t {
  kNothing,      // no control: the window itself, or one without a keyboard role
  kGameList,     // the main window's game list
  kSearchBox,    // the main window's search field
  kList,         // another list: Up and Down go through its rows
  kTextField,
  kNumberField,  // a number with spin buttons
  kDropDown,
  kCheckBox,
  kOptionButton,
  kButton,
};

struct PadPlace {
  PadFocus focus = PadFocus::kNothing;
  bool main_window = false;    // the main window is in front (not a dialog or the options window)
  bool has_tabs = false;       // the window in front has a tab strip
  bool drop_down_open = false; // the focused drop-down shows its list
  bool first_row = false, last_row = false;  // kList: the selection is on its first / last row
};

// What one press does where the focus is: a key the focused control or its
// window understands, or a step the window side takes itself.
enum class PadStep : uint8_t {
  kNothing,
  kUpKey, kDownKey, kLeftKey, kRightKey, kPageUpKey, kPageDownKey,
  kEnterKey, kEscapeKey, kSpaceKey,
  kPreviousControl, kNextControl,  // Shift+Tab, Tab
  kPreviousTab, kNextTab,          // Ctrl+Shift+Tab, Ctrl+Tab
  kPreviousLetter, kNextLetter,    // the game list's letter jump
  kFavorite, kSearch, kSettings, kFavoritesOnly,  // the main window's Ctrl+D, Ctrl+F, F9, Favorites Only
  kPreviousPicture, kNextPicture,                 // and its Ctrl+PgUp, Ctrl+PgDn
  kEndGame,
};
PadStep PadStepFor(PadAction action, const PadPlace& place);

// The "PAD" part of the Keyboard Shortcuts window, heading first.
std::vector<std::pair<std::string, std::string>> PadShortcutRows();
