// The 20 combo rows and the two timing values, kept in korvo-combos.cfg.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_buffer.h"

constexpr int kComboRowCount = 20;
// Field sizes in bytes including the terminating zero of the stored form.
constexpr size_t kComboNameSize = 160, kComboKindSize = 40, kComboSeqSize = 160, kComboKeySize = 48,
                 kComboPadSize = 72;
constexpr int32_t kDefaultStepMs = 30, kDefaultChargeMs = 600;

struct ComboRow {
  std::string name, kind, seq;
  int32_t player = 1;  // 1 or 2
  int32_t side = 0;    // 0 Left, 1 Right
  std::string key;     // MAME key name without "KEYCODE_"
  std::string pad;     // MAME joystick code without "JOYCODE_"
  bool Active() const { return !seq.empty() && (!key.empty() || !pad.empty()); }
};

struct CombosState {
  std::array<ComboRow, kComboRowCount> rows;  // rows[0] is row 1
  int32_t step_ms = kDefaultStepMs;
  int32_t charge_ms = kDefaultChargeMs;
  bool loaded = false;  // loaded from the file in this run
};

// The process-wide rows (UI thread and the command-line builder only).
CombosState& Combos();

// Called by the Combos tab, when it exists, around loading and saving.
struct CombosTabHooks {
  void (*take_times)() = nullptr;   // before a save: puts its Step / Charge boxes into the state
  void (*show_loaded)() = nullptr;  // after a load: shows the new times and rows
};
void SetCombosTabHooks(const CombosTabHooks& hooks);

// Step and Charge boxes as typed (an empty box is 0): taken only when in range.
void TakeComboTimes(CombosState& state, int32_t step_box, int32_t charge_box);

// Text cut to at most size - 1 bytes without splitting a UTF-8 character.
std::string CutToField(std::string_view text, size_t size);

// Rows 1..9 on the digit keys, the Ryu move list, default times.
void ResetCombos(CombosState& state);
void ResetCombos();
// Applies the lines of a combos file (in any editor's encoding) over the
// current state. Returns how many lines were taken.
size_t ParseCombosText(CombosState& state, std::string_view bytes);
// The 142-line file.
TextBuffer FormatCombosText(const CombosState& state);
// Fills rows with a character's moves (most important first), keeping triggers,
// player and side. Unknown characters change nothing.
void LoadCharacterMoves(CombosState& state, std::string_view character);
void LoadCharacterMoves(std::string_view character);

std::string CombosFilePath();
void LoadCombos();
void SaveCombos();  // a failed write is not reported
