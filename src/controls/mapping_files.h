// Where the mapping lives: MAME's cfg\default.cfg and the launcher's
// korvo-autofire.cfg, and the load and write between them and an InputMapping.
#pragma once
#include <string>

#include "controls/input_mapping.h"

struct MappingFiles {
  std::string default_cfg;
  std::string autofire;
};

// MAME's folder comes from the settings and the located program; the shell
// installs the function that knows it. Without one, the launcher folder is used.
using MameFolderFn = std::string (*)();
void SetMameFolderProvider(MameFolderFn fn);
std::string ControlsMameFolder();

// MameFolder\cfg\default.cfg and LauncherFolder\korvo-autofire.cfg.
MappingFiles CurrentMappingFiles();

void LoadInputMapping(InputMapping& m, const MappingFiles& files);
// Writes korvo-autofire.cfg and default.cfg when the mapping is dirty; the
// first change of a default.cfg is preceded by its one-time backup.
bool WriteInputMapping(InputMapping& m, const MappingFiles& files);
// The process-wide mapping with the current files.
void LoadInputMapping();
bool WriteInputMapping();

// One-time copy of a MAME cfg file to "<path>.korvo-backup"; never replaces
// one. True when the copy is there (or there is no file to keep): only then
// may the caller change the file.
bool BackupCfgOnce(const std::string& cfg_path);
void BackupDefaultCfg();
