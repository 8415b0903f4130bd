#include "combos/combo_tables.h"

#include "base/text_util.h"
#include "combos/combo_sequence.h"

const ComboDirection kComboDirections[9] = {
    {'1', "DL", "Down-Left", kComboDown | kComboLeft},
    {'2', "D", "Down", kComboDown},
    {'3', "DR", "Down-Right", kComboDown | kComboRight},
    {'4', "L", "Left", kComboLeft},
    {'5', "N", "Neutral", 0},
    {'6', "R", "Right", kComboRight},
    {'7', "UL", "Up-Left", kComboUp | kComboLeft},
    {'8', "U", "Up", kComboUp},
    {'9', "UR", "Up-Right", kComboUp | kComboRight},
};

// Searched in this order, so the first motion with given digits names them.
const ComboMotion kComboMotions[11] = {
    {"236", "Quarter-circle Forward", "QCF"},
    {"214", "Quarter-circle Back", "QCB"},
    {"623", "Dragon-punch Motion", "DP"},
    {"421", "Reverse Dragon-punch Motion", "RDP"},
    {"41236", "Half-circle Forward", "HCF"},
    {"63214", "Half-circle Back", "HCB"},
    {"632147", "Full Circle Forward", "FCF"},
    {"412369", "Full Circle Back", "FCB"},
    {"632147632147", "Double Full Circle", "DFC"},
    {"236236", "Double Quarter-circle Forward", "DQCF"},
    {"214214", "Double Quarter-circle Back", "DQCB"},
};

const ComboButton kComboButtons[6] = {
    {"LP", "Light Punch"}, {"MP", "Medium Punch"}, {"HP", "Heavy Punch"},
    {"LK", "Light Kick"},  {"MK", "Medium Kick"},  {"HK", "Heavy Kick"},
};

namespace {
// 1..6 for "B1".."B6" or "BN1".."BN6" (any case), else 0.
int NumberedButton(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || (name[0] != 'B' && name[0] != 'b')) return 0;
  if (name.size() == 3 && name[1] != 'N' && name[1] != 'n') return 0;
  char digit = name.back();
  return digit >= '1' && digit <= '6' ? digit - '0' : 0;
}
}  // namespace

uint32_t ComboButtonMask(std::string_view name) {
  for (int b = 0; b < 6; ++b)
    if (EqualsNoCase(name, kComboButtons[b].short_name)) return kComboButton1 << b;
  if (EqualsNoCase(name, "ST") || EqualsNoCase(name, "START")) return kComboStart;
  if (int n = NumberedButton(name)) return kComboButton1 << (n - 1);
  return 0;
}

std::string ComboButtonDisplayName(std::string_view name) {
  for (const ComboButton& b : kComboButtons)
    if (EqualsNoCase(name, b.short_name)) return b.short_name;
  if (EqualsNoCase(name, "ST") || EqualsNoCase(name, "START")) return "START";
  if (name.size() == 2) {
    if (int n = NumberedButton(name)) return kComboButtons[n - 1].short_name;
  }
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

const ComboMotion* FindComboMotionByDigits(std::string_view digits) {
  for (const ComboMotion& m : kComboMotions)
    if (digits == m.digits) return &m;
  return nullptr;
}
