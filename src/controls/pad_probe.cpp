#include "controls/pad_probe.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_lines.h"
#include "base/text_util.h"

namespace {

struct ProbeState {
  PadProbe probe;
  bool loaded = false;
};

ProbeState& State() {
  static ProbeState state;
  return state;
}

// Lua writes whole numbers of an item's value as integers; anything else
// (a float text, garbage) counts as 0 rather than rejecting the line.
int32_t NumberOrZero(std::string_view text) {
  int32_t value = 0;
  if (ParseInt(text, value)) return value;
  // "-32768.0" style texts: take the integral part when it parses.
  size_t dot = text.find('.');
  if (dot != std::string_view::npos && ParseInt(text.substr(0, dot), value)) return value;
  return 0;
}

}  // namespace

bool IsCompleteProbeReport(const std::string& text) { return text.find("END") != std::string::npos; }

PadProbe ParsePadProbe(const std::string& text) {
  PadProbe probe;
  ForEachLine(text, [&](std::string_view line) {
    std::vector<std::string_view> f = SplitFields(line, '|');
    if (f[0] == "D" && f.size() >= 3) {
      ProbeDevice device;
      device.devindex = NumberOrZero(f[1]);
      device.name = std::string(f[2]);
      probe.push_back(std::move(device));
    } else if (f[0] == "I" && f.size() >= 5 && !probe.empty()) {
      ProbeItem item{std::string(f[2]), std::string(f[3]), NumberOrZero(f[4])};
      int32_t devindex = NumberOrZero(f[1]);
      for (ProbeDevice& device : probe)
        if (device.devindex == devindex) device.items.push_back(item);
    }
  });
  return probe;
}

namespace {
bool HasItemNamed(const ProbeDevice& device, std::string_view name) {
  for (const ProbeItem& item : device.items)
    if (item.name == name) return true;
  return false;
}
}  // namespace

int XInputPadNumber(const PadProbe& probe, int n) {
  int seen = 0;
  for (const ProbeDevice& device : probe) {
    if (HasItemNamed(device, "A") && HasItemNamed(device, "LB") && HasItemNamed(device, "LSX")) {
      if (++seen == n) return device.devindex + 1;
    }
  }
  return 0;
}

int DefaultPadOfPlayer(const PadProbe& probe, int player) {
  int pad = XInputPadNumber(probe, player);
  if (pad != 0) return pad;
  if (player == 2 && DefaultPadOfPlayer(probe, 1) == 2) return 1;
  return player;
}

bool IsXInputPad(const PadProbe& probe, int pad) {
  for (const ProbeDevice& device : probe)
    if (device.devindex + 1 == pad) return device.name.rfind("XInput", 0) == 0;
  return true;
}

std::optional<ProbeItem> ProbeTokenOf(const PadProbe& probe, int pad, const std::string& item_name) {
  for (const ProbeDevice& device : probe) {
    if (device.devindex + 1 != pad) continue;
    for (const ProbeItem& item : device.items)
      if (item.name == item_name) return item;
  }
  return std::nullopt;
}

std::optional<std::string> ProbeNameOfToken(const PadProbe& probe, int pad, const std::string& token) {
  for (const ProbeDevice& device : probe) {
    if (device.devindex + 1 != pad) continue;
    for (const ProbeItem& item : device.items)
      if (item.token == token) return item.name;
  }
  return std::nullopt;
}

void LoadPadProbe() {
  ProbeState& s = State();
  if (s.loaded) return;
  s.loaded = true;
  std::optional<std::string> text = ReadWholeFile(JoinPath(LauncherFolder(), "korvo-padprobe.txt"));
  if (text && IsCompleteProbeReport(*text)) s.probe = ParsePadProbe(*text);
}

const PadProbe& CurrentPadProbe() {
  LoadPadProbe();
  return State().probe;
}

void SetCurrentPadProbe(PadProbe probe) {
  State().probe = std::move(probe);
  State().loaded = true;
}

void MarkPadProbeLoaded() { State().loaded = true; }

void ForgetPadProbe() {
  State().probe.clear();
  State().loaded = false;
}

int XInputPadNumber(int n) { return XInputPadNumber(CurrentPadProbe(), n); }
int DefaultPadOfPlayer(int player) { return DefaultPadOfPlayer(CurrentPadProbe(), player); }
bool IsXInputPad(int pad) { return IsXInputPad(CurrentPadProbe(), pad); }
std::optional<ProbeItem> ProbeTokenOf(int pad, const std::string& item_name) {
  return ProbeTokenOf(CurrentPadProbe(), pad, item_name);
}
std::optional<std::string> ProbeNameOfToken(int pad, const std::string& token) {
  return ProbeNameOfToken(CurrentPadProbe(), pad, token);
}
