// Connects the command-line builder to the modules that prepare a start:
// the game's cfg, the combos plugin and the input-log plugin.
#pragma once

void InstallLaunchHooks();
