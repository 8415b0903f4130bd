// MAME's key names, the Windows virtual keys behind them and the labels shown
// for them. The order matters: key capture scans the table front to back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct KeyNameEntry {
  int32_t virtual_key;
  std::string name;   // MAME key name without "KEYCODE_"
  std::string label;  // UTF-8
};

const std::vector<KeyNameEntry>& KeyNameTable();
// "-" for no key, the table's label, or the name itself for keys outside the table.
std::string KeyLabel(const std::string& name);
