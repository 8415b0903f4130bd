// A scratch launcher folder (which also serves as MAME's folder) with no pad
// probe data, so every controls test starts from the same state.
#pragma once
#include <string>

#include "base/paths.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "controls/pad_probe.h"
#include "controls/probe_run.h"
#include "support/test_support.h"

class ControlsEnv {
 public:
  ControlsEnv() {
    SetLauncherFolder(dir.path());
    SetMameFolderProvider(nullptr);
    SetCurrentPadProbe({});
    ResetPadProbeAttempt();
    TheInputMapping() = InputMapping{};
  }
  ~ControlsEnv() {
    SetLauncherFolder("");
    ForgetPadProbe();
  }
  std::string CfgPath() const { return dir.File("cfg/default.cfg"); }
  MappingFiles Files() const { return CurrentMappingFiles(); }

  TempDir dir;
};
