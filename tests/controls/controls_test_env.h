// A scratch launcher folder (also MAME's folder) with no pad probe data: every controls test starts alike.
#pragma once
#include <string>

#include "base/paths.h"
#include "controls/default_cfg.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "controls/pad_probe.h"
#include "controls/probe_run.h"
#include "support/test_support.h"

struct ControlsEnv {
  ControlsEnv() {
    SetLauncherFolder(dir.path());
    SetMameFolderProvider(nullptr);
    SetCurrentPadProbe({});
    ResetPadProbeAttempt();
    TheInputMapping() = InputMapping{};
  }
  ~ControlsEnv() { SetLauncherFolder(""); ForgetPadProbe(); }
  std::string CfgPath() const { return dir.File("cfg/default.cfg"); }
  MappingFiles Files() const { return CurrentMappingFiles(); }

  TempDir dir;
};

inline InputMapping LauncherDefaults() { InputMapping m; ResetToLauncherDefaults(m); return m; }
// A mapping from a profile's text, or from default.cfg's text with an optional key set on one action afterwards.
inline InputMapping FromText(const std::string& text) { InputMapping m; ApplyMappingText(m, text); return m; }
inline InputMapping Loaded(const std::string& cfg_text, int key_action = -1, const char* key = "") {
  InputMapping m;
  ReadDefaultCfgText(m, cfg_text);
  if (key_action >= 0) SetBindingKey(m, key_action, key);
  return m;
}

// A binding as one comparable text: "key|pad|extra", "|af" when autofire is on, "-" when absent.
inline std::string Described(const InputMapping& m, int i) {
  const ActionBinding& b = m.bindings[i];
  return b.present ? b.key + "|" + b.pad + "|" + b.extra + (b.autofire ? "|af" : "") : "-";
}
