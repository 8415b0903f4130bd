#include "controls/pad_codes.h"

#include <cstdio>

#include "controls/pad_probe.h"

std::string TriggerCode(int pad, TriggerSide side) {
  const bool left = side == TriggerSide::Left;
  char text[160];
  if (std::optional<ProbeItem> item = ProbeTokenOf(pad, left ? "LT" : "RT")) {
    // A trigger that rests at the bottom of its range travels upwards when pulled.
    std::snprintf(text, sizeof text, "%d_%s_%s_SWITCH", pad, item->token.c_str(),
                  item->current < -15999 ? "POS" : "NEG");
  } else if (IsXInputPad(pad)) {
    std::snprintf(text, sizeof text, "%d_%s", pad, left ? "SLIDER1_NEG_SWITCH" : "SLIDER2_NEG_SWITCH");
  } else {
    std::snprintf(text, sizeof text, "%d_ZAXIS_%s_SWITCH", pad, left ? "POS" : "NEG");
  }
  return text;
}

namespace {

// Reads the leading decimal number and the underscore after it.
bool SplitPadCode(const std::string& code, int& number, std::string& rest) {
  size_t i = 0;
  long long value = 0;
  while (i < code.size() && code[i] >= '0' && code[i] <= '9' && i < 9) value = value * 10 + (code[i++] - '0');
  if (i == 0 || i >= code.size() || code[i] != '_') return false;
  number = static_cast<int>(value);
  rest = code.substr(i + 1);
  return true;
}

std::string ItemText(const std::string& rest) {
  if (rest.rfind("BUTTON", 0) == 0) {
    static const char* const kXInputNames[] = {"A",  "B",  "X",  "Y", "LB", "RB", "Left Stick Click",
                                               "Right Stick Click"};
    std::string digits = rest.substr(6);
    int n = 0;
    bool ok = !digits.empty() && digits.size() <= 6;
    for (char c : digits) {
      if (c < '0' || c > '9') {
        ok = false;
        break;
      }
      n = n * 10 + (c - '0');
    }
    if (ok && n >= 1 && n <= 8) return kXInputNames[n - 1];
    if (ok) return "Button " + std::to_string(n);
    return rest;
  }
  static const struct {
    const char* rest;
    const char* text;
  } kNames[] = {
      {"HAT1UP", "D-Pad Up"},
      {"HAT1DOWN", "D-Pad Down"},
      {"HAT1LEFT", "D-Pad Left"},
      {"HAT1RIGHT", "D-Pad Right"},
      {"XAXIS_LEFT_SWITCH", "Stick Left"},
      {"XAXIS_RIGHT_SWITCH", "Stick Right"},
      {"YAXIS_UP_SWITCH", "Stick Up"},
      {"YAXIS_DOWN_SWITCH", "Stick Down"},
      {"SLIDER1_NEG_SWITCH", "LT"},
      {"SLIDER2_NEG_SWITCH", "RT"},
      {"START", "Start"},
      {"SELECT", "Back / Select"},
  };
  for (const auto& entry : kNames)
    if (rest == entry.rest) return entry.text;
  return rest;
}

}  // namespace

int PadNumberOf(const std::string& code) {
  int number = 0;
  std::string rest;
  return SplitPadCode(code, number, rest) ? number : 0;
}

std::string PadCodeText(const std::string& code) {
  if (code.empty()) return "-";
  int number = 0;
  std::string rest;
  if (!SplitPadCode(code, number, rest)) return code;
  size_t underscore = rest.find('_');
  std::string first = rest.substr(0, underscore);
  if (!first.empty() && first.size() <= 47 &&
      (underscore == std::string::npos || rest.find("_NEG_") != std::string::npos ||
       rest.find("_POS_") != std::string::npos)) {
    if (std::optional<std::string> name = ProbeNameOfToken(number, first))
      return "Pad " + std::to_string(number) + " " + *name;
  }
  return "Pad " + std::to_string(number) + " " + ItemText(rest);
}
