#include "controls/input_mapping.h"

#include "base/text_lines.h"
#include "base/text_util.h"
#include "controls/key_names.h"
#include "controls/pad_codes.h"
#include "controls/pad_probe.h"
#include "controls/sequence_text.h"

InputMapping& TheInputMapping() {
  static InputMapping mapping;
  return mapping;
}

namespace {
constexpr std::string_view kJoyPrefix = "JOYCODE_";
constexpr std::string_view kKeyPrefix = "KEYCODE_";

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Adds `part` to a " OR " list only while the list stays within the byte
// limit: a code cut in half would be a different, broken code.
void AppendBounded(std::string& list, const std::string& part, size_t max) {
  size_t added = part.size() + (list.empty() ? 0 : 4);
  if (list.size() + added > max) return;
  if (!list.empty()) list += " OR ";
  list += part;
}

int DefaultPadNumber(int index) { return DefaultPadOfPlayer(PlayerOfAction(index)); }

std::string Code(int pad, const char* item) { return std::to_string(pad) + "_" + item; }
}  // namespace

std::vector<std::string> PadCodeList(const InputMapping& m, int index) {
  const ActionBinding& b = m.bindings[index];
  std::vector<std::string> codes;
  if (!b.pad.empty()) codes.push_back(b.pad);
  for (const std::string& part : SplitAlternatives(b.extra))
    if (StartsWith(part, kJoyPrefix)) codes.push_back(part.substr(kJoyPrefix.size()));
  return codes;
}

void SetPadCodeList(InputMapping& m, int index, const std::vector<std::string>& codes) {
  ActionBinding& b = m.bindings[index];
  std::string extra;
  for (const std::string& part : SplitAlternatives(b.extra))
    if (!StartsWith(part, kJoyPrefix)) AppendBounded(extra, part, kExtraMax);
  for (size_t k = 1; k < codes.size(); ++k)
    if (!codes[k].empty()) AppendBounded(extra, std::string(kJoyPrefix) + codes[k], kExtraMax);
  b.extra = extra;
  b.pad = codes.empty() ? std::string() : CutBytes(codes[0], kPadMax);
}

std::vector<std::string> DefaultPadCodes(int index) {
  const int p = DefaultPadNumber(index);
  if (IsDirection(index)) {
    switch (index % 10) {
      case 0: return {Code(p, "HAT1UP"), Code(p, "YAXIS_UP_SWITCH")};
      case 1: return {Code(p, "HAT1DOWN"), Code(p, "YAXIS_DOWN_SWITCH")};
      case 2: return {Code(p, "HAT1LEFT"), Code(p, "XAXIS_LEFT_SWITCH")};
      default: return {Code(p, "HAT1RIGHT"), Code(p, "XAXIS_RIGHT_SWITCH")};
    }
  }
  if (IsAutofireButton(index)) {
    // Buttons 1-3 on X, Y, RB and 4-6 on A, B and the right trigger of an XInput pad.
    static const char* const kButtons[] = {"BUTTON3", "BUTTON4", "BUTTON6", "BUTTON1", "BUTTON2"};
    int n = ButtonNumberOf(index);
    if (n == 6) return {TriggerCode(p, TriggerSide::Right)};
    return {Code(p, kButtons[n - 1])};
  }
  switch (index) {
    case 20:
    case 21: return {Code(p, IsXInputPad(p) ? "START" : "BUTTON8")};
    case 22:
    case 23: return {Code(p, IsXInputPad(p) ? "SELECT" : "BUTTON7")};
    default: return {};
  }
}

void EnsureBinding(InputMapping& m, int index) {
  ActionBinding& b = m.bindings[index];
  if (b.present) return;
  b = ActionBinding{};
  b.present = true;
  b.key = ActionAt(index).default_key;
  SetPadCodeList(m, index, DefaultPadCodes(index));
}

void SetBindingKey(InputMapping& m, int index, const std::string& name) {
  EnsureBinding(m, index);
  m.bindings[index].key = CutBytes(name, kKeyMax);
  m.dirty = true;
}

void SetBindingPad(InputMapping& m, int index, const std::string& code) {
  EnsureBinding(m, index);
  std::vector<std::string> codes;
  if (!code.empty()) {
    codes.push_back(code);
    if (IsDirection(index)) {
      // A new D-pad code replaces the D-pad codes and keeps the stick codes, and vice versa.
      const bool new_is_hat = code.find("HAT") != std::string::npos;
      for (const std::string& old : PadCodeList(m, index))
        if ((old.find("HAT") != std::string::npos) != new_is_hat) codes.push_back(old);
    }
  }
  SetPadCodeList(m, index, codes);
  m.dirty = true;
}

void ClearBinding(InputMapping& m, int index, BindingPart which) {
  EnsureBinding(m, index);
  if (which == BindingPart::Key)
    m.bindings[index].key.clear();
  else
    SetPadCodeList(m, index, {});
  m.dirty = true;
}

void ResetToLauncherDefaults(InputMapping& m) {
  for (int i = 0; i < kActionCount; ++i) {
    m.bindings[i] = ActionBinding{};
    EnsureBinding(m, i);
  }
  m.dirty = true;
}

void SetAutofire(InputMapping& m, int index, bool on) {
  if (!IsAutofireButton(index)) return;
  EnsureBinding(m, index);
  m.bindings[index].autofire = on;
  m.dirty = true;
}

bool HasAutofire(const InputMapping& m, int index) {
  return m.bindings[index].present && m.bindings[index].autofire;
}

std::string RealSequence(const ActionBinding& b) {
  std::vector<std::string> parts;
  if (!b.key.empty()) parts.push_back(std::string(kKeyPrefix) + b.key);
  if (!b.pad.empty()) parts.push_back(std::string(kJoyPrefix) + b.pad);
  parts.push_back(b.extra);
  return JoinAlternatives(parts);
}

std::string SerializeMapping(const InputMapping& m) {
  std::string out;
  for (int i = 0; i < kActionCount; ++i) {
    const ActionBinding& b = m.bindings[i];
    if (!b.present) continue;
    out += "bind=";
    out += ActionAt(i).port;
    out += '\t' + b.key + '\t' + b.pad + '\t' + b.extra + '\t' + (b.autofire ? "1" : "0") + '\n';
  }
  return out;
}

void ApplyMappingText(InputMapping& m, const std::string& text) {
  for (ActionBinding& b : m.bindings) b = ActionBinding{};
  ForEachLine(text, [&](std::string_view line) {
    if (!StartsWith(line, "bind=")) return;
    std::vector<std::string_view> f = SplitFields(line.substr(5), '\t');
    if (f.size() < 4) return;
    int index = FindActionByPort(f[0]);
    if (index < 0) return;
    ActionBinding& b = m.bindings[index];
    b = ActionBinding{};
    b.present = true;
    // Hand-edited files may hold anything; what could not be written
    // between MAME's tags is not taken in the first place. A key or pad
    // given with MAME's prefix ("KEYCODE_I") is kept without it, as
    // everywhere else: writing default.cfg adds the prefix again.
    std::string_view key = StartsWith(f[1], kKeyPrefix) ? f[1].substr(kKeyPrefix.size()) : f[1];
    std::string_view pad = StartsWith(f[2], kJoyPrefix) ? f[2].substr(kJoyPrefix.size()) : f[2];
    b.key = IsSafeSequencePart(key) ? CutBytes(key, kKeyMax) : std::string();
    b.pad = IsSafeSequencePart(pad) ? CutBytes(pad, kPadMax) : std::string();
    b.extra = SafeAlternatives(f[3], kExtraMax);
    b.autofire = f.size() >= 5 && f[4] == "1" && IsAutofireButton(index);
  });
  m.dirty = true;
}

BindingCells BindingCellTexts(const InputMapping& m, int index) {
  const ActionBinding& b = m.bindings[index];
  BindingCells cells;
  if (!b.present) {
    cells.keyboard = KeyLabel(ActionAt(index).default_key);
    cells.pad = "MAME default";
  } else {
    cells.keyboard = KeyLabel(b.key);
    for (const std::string& code : PadCodeList(m, index)) {
      if (!cells.pad.empty()) cells.pad += " / ";
      cells.pad += PadCodeText(code);
    }
    if (cells.pad.empty()) cells.pad = "-";
  }
  cells.keyboard = CutToUtf16Units(cells.keyboard, 99);
  cells.pad = CutToUtf16Units(cells.pad, 99);
  return cells;
}
