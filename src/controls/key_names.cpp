#include "controls/key_names.h"

namespace {

std::vector<KeyNameEntry> BuildTable() {
  std::vector<KeyNameEntry> t;
  t.reserve(102);
  for (char c = 'A'; c <= 'Z'; ++c) t.push_back({c, std::string(1, c), std::string(1, c)});
  for (char c = '0'; c <= '9'; ++c) t.push_back({c, std::string(1, c), std::string(1, c)});
  for (int n = 1; n <= 12; ++n) t.push_back({0x70 + n - 1, "F" + std::to_string(n), "F" + std::to_string(n)});
  for (int n = 0; n <= 9; ++n)
    t.push_back({0x60 + n, std::to_string(n) + "PAD", "Num " + std::to_string(n)});
  static const KeyNameEntry kFixed[] = {
      {0x1B, "ESC", "Esc"},           {0xC0, "TILDE", "` ~"},
      {0xBD, "MINUS", "-"},           {0xBB, "EQUALS", "="},
      {0x08, "BACKSPACE", "Backspace"}, {0x09, "TAB", "Tab"},
      {0xDB, "OPENBRACE", "["},       {0xDD, "CLOSEBRACE", "]"},
      {0x0D, "ENTER", "Enter"},       {0xBA, "COLON", ";"},
      {0xDE, "QUOTE", "'"},           {0xDC, "BACKSLASH", "\\"},
      {0xBC, "COMMA", ","},           {0xBE, "STOP", "."},
      {0xBF, "SLASH", "/"},           {0x20, "SPACE", "Space"},
      {0x2D, "INSERT", "Insert"},     {0x24, "HOME", "Home"},
      {0x23, "END", "End"},           {0x21, "PGUP", "Page Up"},
      {0x22, "PGDN", "Page Down"},    {0x25, "LEFT", "Left"},
      {0x27, "RIGHT", "Right"},       {0x26, "UP", "Up"},
      {0x28, "DOWN", "Down"},         {0x6F, "SLASHPAD", "Num /"},
      {0x6A, "ASTERISK", "Num *"},    {0x6D, "MINUSPAD", "Num -"},
      {0x6B, "PLUSPAD", "Num +"},     {0x6E, "DELPAD", "Num ."},
      {0x13, "PAUSE", "Pause"},       {0xA0, "LSHIFT", "Left Shift"},
      {0xA1, "RSHIFT", "Right Shift"}, {0xA2, "LCONTROL", "Left Ctrl"},
      {0xA3, "RCONTROL", "Right Ctrl"}, {0xA4, "LALT", "Left Alt"},
      {0xA5, "RALT", "Right Alt"},    {0x91, "SCRLOCK", "Scroll Lock"},
      {0x90, "NUMLOCK", "Num Lock"},  {0x14, "CAPSLOCK", "Caps Lock"},
      {0x2C, "PRTSCR", "Print Screen"}, {0x5B, "LWIN", "Left Windows"},
      {0x5C, "RWIN", "Right Windows"}, {0x5D, "MENU", "Menu"},
  };
  for (const KeyNameEntry& e : kFixed) t.push_back(e);
  return t;
}

}  // namespace

const std::vector<KeyNameEntry>& KeyNameTable() {
  static const std::vector<KeyNameEntry> table = BuildTable();
  return table;
}

std::string KeyLabel(const std::string& name) {
  if (name.empty()) return "-";
  for (const KeyNameEntry& e : KeyNameTable())
    if (e.name == name) return e.label;
  return name;
}
