// The combo sequence language: moves written as numpad digits and button
// names ("236+HP"), compiled into timed input steps for the combos plugin,
// converted from words ("QCF + Heavy Punch") and shown back in readable form.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Input mask bits of a step, the same numbering the plugin uses.
constexpr uint32_t kComboUp = 1u << 0;
constexpr uint32_t kComboDown = 1u << 1;
constexpr uint32_t kComboLeft = 1u << 2;
constexpr uint32_t kComboRight = 1u << 3;
constexpr uint32_t kComboButton1 = 1u << 4;  // buttons 1..6 are bits 4..9
constexpr uint32_t kComboStart = 1u << 10;
constexpr uint32_t kComboButtonBits = 0x7F0;

constexpr int kComboSideLeft = 0;   // the character looks right
constexpr int kComboSideRight = 1;  // the character looks left: left and right swap

constexpr int kComboMaxHoldMs = 5000;

struct ComboStep {
  uint32_t mask = 0;
  int32_t duration = 0;  // milliseconds; 0 = one step time
  bool operator==(const ComboStep&) const = default;
};

// Never fails: whatever cannot be read is passed over.
std::vector<ComboStep> CompileComboSequence(std::string_view seq, int side, int32_t charge_ms);

// Text in words or short names to number notation. False when the text is not
// word notation or holds a word that is not known; `out` is then unspecified.
bool ConvertWordNotation(std::string_view text, int side, std::string& out);

// Readable form, at most size - 1 bytes. A sequence that does not validate
// comes back as stored (cut the same way).
std::string FormatComboSequence(std::string_view seq, int side, size_t size);

// LP MP HP LK MK HK START ST BN1..BN6, any case (the Combos tab's pad buttons).
bool IsComboButtonName(std::string_view word);

// Appends `text` to `buffer`, cut so that the buffer stays under `size` bytes
// (a C buffer of that size with its terminating zero).
void AppendBounded(std::string& buffer, size_t size, std::string_view text);

// Numpad digit '1'..'9' as seen from the other side of the screen.
char MirrorComboDigit(char digit);
// "DL", "D" ... "UR" for '1'..'9'.
const char* ComboDirectionShortName(char digit);
