// The vocabulary shared by the compiler, the word converter and the readable
// form: directions, named motions and buttons.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct ComboDirection {
  char digit;
  const char* short_name;  // "DL"
  const char* long_name;   // "Down-Left"
  uint32_t mask;           // as seen by a character that looks right
};
extern const ComboDirection kComboDirections[9];  // digits 1..9 in order

struct ComboMotion {
  const char* digits;
  const char* long_name;
  const char* short_name;
};
extern const ComboMotion kComboMotions[11];

struct ComboButton {
  const char* short_name;  // "LP"
  const char* long_name;   // "Light Punch"
};
extern const ComboButton kComboButtons[6];  // buttons 1..6

// Mask of a button name of the stored form (LP..HK, ST, START, BN1..BN6,
// B1..B6, any case); 0 for anything else.
uint32_t ComboButtonMask(std::string_view name);
// How a stored button name is shown: "HP" for hp and B3, "START" for ST.
std::string ComboButtonDisplayName(std::string_view name);
// The motion whose digits are exactly `digits`, or null.
const ComboMotion* FindComboMotionByDigits(std::string_view digits);
