#include "controls/binding_migration.h"

#include "settings/app_state.h"
#include "controls/pad_codes.h"
#include "controls/pad_probe.h"

namespace {

std::string AfterFirstUnderscore(const std::string& code) {
  size_t u = code.find('_');
  return u == std::string::npos ? code : code.substr(u + 1);
}

bool IsStickCode(const std::string& c) {
  return c.find("AXIS_") != std::string::npos && c.find("_SWITCH") != std::string::npos &&
         (c.find("XAXIS") != std::string::npos || c.find("YAXIS") != std::string::npos);
}

// Step 1 for one present action: default key, old trigger codes, and a
// direction's missing D-pad or stick alternative.
bool MigratePadCodes(InputMapping& m, int i) {
  ActionBinding& b = m.bindings[i];
  bool changed = false;
  std::vector<std::string> codes = PadCodeList(m, i);
  const std::string default_key = ActionAt(i).default_key;
  if (b.key.empty() && !default_key.empty() && b.extra.empty() && !codes.empty()) {
    b.key = default_key;
    changed = true;
  }
  int p = 1;
  bool has_hat = false, has_stick = false;
  bool codes_changed = false;
  std::vector<std::string> migrated;
  for (const std::string& c : codes) {
    int n = PadNumberOf(c);
    std::string rest = AfterFirstUnderscore(c);
    if (n > 0) p = n;
    std::string code = c;
    if (IsXInputPad(p)) {
      // Older versions put XInput triggers on the Z axes.
      if (rest == "ZAXIS_NEG_SWITCH") code = TriggerCode(p, TriggerSide::Left);
      else if (rest == "RZAXIS_NEG_SWITCH") code = TriggerCode(p, TriggerSide::Right);
    }
    codes_changed |= code != c;
    has_hat |= code.find("HAT") != std::string::npos;
    has_stick |= IsStickCode(code);
    migrated.push_back(code);
  }
  if (IsDirection(i) && !migrated.empty() && !(has_hat && has_stick)) {
    static const char* const kProbeNames[] = {"D-pad Up", "D-pad Down", "D-pad Left", "D-pad Right"};
    static const char* const kHats[] = {"HAT1UP", "HAT1DOWN", "HAT1LEFT", "HAT1RIGHT"};
    static const char* const kSticks[] = {"YAXIS_UP_SWITCH", "YAXIS_DOWN_SWITCH", "XAXIS_LEFT_SWITCH",
                                          "XAXIS_RIGHT_SWITCH"};
    int d = i % 10;
    if (!has_hat) {
      std::optional<ProbeItem> item = ProbeTokenOf(p, kProbeNames[d]);
      migrated.push_back(std::to_string(p) + "_" + (item ? item->token : std::string(kHats[d])));
    }
    if (!has_stick) migrated.push_back(std::to_string(p) + "_" + kSticks[d]);
    codes_changed = true;
  }
  if (codes_changed) SetPadCodeList(m, i, migrated);
  return changed || codes_changed;
}

// Step 2: a button still on a code of an earlier default layout moves to the current one.
bool MigrateButtonLayout(InputMapping& m, int i) {
  ActionBinding& b = m.bindings[i];
  if (b.extra.find("JOYCODE_") != std::string::npos) return false;
  int p = DefaultPadOfPlayer(PlayerOfAction(i));
  int k = ButtonNumberOf(i);
  std::string prefix = std::to_string(p) + "_";
  std::string current = prefix + "BUTTON" + std::to_string(k);
  std::string earlier;
  switch (k) {
    case 1: earlier = prefix + "BUTTON1"; break;
    case 2: earlier = prefix + "BUTTON2"; break;
    case 3: earlier = TriggerCode(p, TriggerSide::Right); break;
    case 4: earlier = prefix + "BUTTON3"; break;
    case 5: earlier = prefix + "BUTTON4"; break;
    default: earlier = prefix + "BUTTON6"; break;
  }
  if (b.pad != current && b.pad != earlier) return false;
  std::vector<std::string> defaults = DefaultPadCodes(i);
  if (defaults.size() != 1 || defaults[0] == b.pad) return false;
  SetPadCodeList(m, i, defaults);
  return true;
}

}  // namespace

bool MigrateBindings(InputMapping& m) {
  bool changed = false;
  for (int i = 0; i < kActionCount; ++i)
    if (m.bindings[i].present) changed |= MigratePadCodes(m, i);
  for (int i = 0; i < kActionCount; ++i)
    if (IsAutofireButton(i) && m.bindings[i].present) changed |= MigrateButtonLayout(m, i);
  for (int i = 0; i < kActionCount; ++i) {
    ActionBinding& b = m.bindings[i];
    if (!b.present) {
      EnsureBinding(m, i);
      changed = true;
      continue;
    }
    const std::string earlier = ActionAt(i).earlier_key;
    const std::string default_key = ActionAt(i).default_key;
    if (!earlier.empty() && b.key == earlier && earlier != default_key) {
      b.key = default_key;
      changed = true;
    }
  }
  if (changed) m.dirty = true;
  return changed;
}

bool UpgradeBindingVersion(InputMapping& m, const MappingFiles& files, Settings& s, bool first_run,
                           bool mame_found) {
  if (s.binding_version >= kCurrentBindingVersion) return false;
  if (first_run) {
    if (!mame_found) {
      ResetToLauncherDefaults(m);
      return false;
    }
    ResetToLauncherDefaults(m);
    if (!WriteInputMapping(m, files)) return false;
    s.binding_version = kCurrentBindingVersion;
    return true;
  }
  if (!m.loaded) LoadInputMapping(m, files);
  if (MigrateBindings(m) && !WriteInputMapping(m, files)) return false;
  s.binding_version = kCurrentBindingVersion;
  return true;
}

void RunBindingVersionStep(bool mame_found) {
  AppState& app = App();
  if (UpgradeBindingVersion(TheInputMapping(), CurrentMappingFiles(), app.settings, app.first_run, mame_found))
    SaveSettings(app.settings, app.settings_path);
}
