#include "launch/launch_wiring.h"

#include "settings/app_state.h"
#include "combos/combos_plugin.h"
#include "controls/game_cfg_inputs.h"
#include "controls/input_log_plugin.h"
#include "controls/mapping_files.h"
#include "controls/probe_run.h"
#include "launch/captured_run.h"
#include "launch/mame_args.h"
#include "launch/mame_args_hooks.h"
#include "launch/mame_location.h"

namespace {
std::string CurrentMameFolder() { return MameFolder(); }

// The probe asks the located MAME with the probe's own arguments.
bool RunProbeInMame(const std::string& plugin_folder, uint32_t time_limit_ms) {
  std::string program;
  if (!LocateMameProgram(program)) return false;
  ArgList args;
  BuildProbeArgs(App().settings, plugin_folder, args);
  TextBuffer output;
  int result = RunMameCaptured(JoinArgs(args), output, time_limit_ms);
  return result != kCapturedNoPipe && result != kCapturedNotStarted;
}
}  // namespace

void InstallLaunchHooks() {
  SetStripGameCfgInputsHook(StripGameCfgInputs);
  SetWriteCombosPluginHook(WriteCombosPlugin);
  SetWriteInputLogPluginHook(WriteInputLogPlugin);
  SetMameFolderProvider(CurrentMameFolder);
  SetPadProbeRunner(RunProbeInMame);
}
