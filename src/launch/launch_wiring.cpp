#include "launch/launch_wiring.h"

#include "combos/combos_plugin.h"
#include "controls/game_cfg_inputs.h"
#include "controls/input_log_plugin.h"
#include "launch/mame_args_hooks.h"

void InstallLaunchHooks() {
  SetStripGameCfgInputsHook(StripGameCfgInputs);
  SetWriteCombosPluginHook(WriteCombosPlugin);
  SetWriteInputLogPluginHook(WriteInputLogPlugin);
}
