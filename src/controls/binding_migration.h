// Carrying mappings written by earlier launcher versions over to the current
// pad layout (`binding_version`).
#pragma once
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "settings/settings.h"

// Brings an older mapping in line with the current layout; true (and dirty)
// when anything changed.
bool MigrateBindings(InputMapping& m);

// The one-time step run when the option pages are filled and the stored
// binding version is older than the current one. Returns true when
// `binding_version` changed (the caller saves the settings).
bool UpgradeBindingVersion(InputMapping& m, const MappingFiles& files, Settings& s, bool first_run, bool mame_found);

// The same on the process-wide mapping and settings, saving them when the version moves.
void RunBindingVersionStep(bool mame_found);
