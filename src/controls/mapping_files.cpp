#include "controls/mapping_files.h"

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "base/paths.h"
#include "controls/autofire_file.h"
#include "controls/default_cfg.h"

namespace {
MameFolderFn g_mame_folder = nullptr;

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

void SetMameFolderProvider(MameFolderFn fn) { g_mame_folder = fn; }

std::string ControlsMameFolder() { return g_mame_folder ? g_mame_folder() : LauncherFolder(); }

MappingFiles CurrentMappingFiles() {
  MappingFiles files;
  files.default_cfg = JoinPath(JoinPath(ControlsMameFolder(), "cfg"), "default.cfg");
  files.autofire = JoinPath(LauncherFolder(), "korvo-autofire.cfg");
  return files;
}

void LoadInputMapping(InputMapping& m, const MappingFiles& files) {
  for (ActionBinding& b : m.bindings) b = ActionBinding{};
  m.dirty = false;
  m.loaded = true;
  std::optional<std::string> cfg = ReadWholeFile(files.default_cfg);
  if (!cfg) return;
  ReadDefaultCfgText(m, *cfg);
  if (std::optional<std::string> autofire = ReadWholeFile(files.autofire))
    KeepIfUnreadable(files.autofire, *autofire, ApplyAutofireFile(m, *autofire));
}

bool WriteInputMapping(InputMapping& m, const MappingFiles& files) {
  if (!m.dirty) return true;

  // The autofire file first: it holds the real sequences that default.cfg
  // may be about to replace with NONE. Its failure is not the mapping's.
  std::string autofire = FormatAutofireFile(m);
  if (!autofire.empty() || FileExists(files.autofire)) WriteFileAtomic(files.autofire, autofire);

  std::string folder = FolderOf(files.default_cfg);
  if (!folder.empty() && !IsFolder(folder)) CreateFolder(folder);

  std::optional<std::string> existing = ReadWholeFile(files.default_cfg);
  // A default.cfg that is there but cannot be read (held by another program)
  // must not be replaced by a file holding only the launcher's entries.
  if (!existing && FileExists(files.default_cfg)) return false;
  std::string text = existing.value_or(std::string());
  switch (EditDefaultCfgText(m, text)) {
    case CfgEdit::NothingKept: return true;
    case CfgEdit::NothingDone: m.dirty = false; return true;
    case CfgEdit::Broken: return false;
    case CfgEdit::Write: break;
  }
  // The user's own file is kept once before the launcher first changes it,
  // on whichever run and in whichever MAME folder that happens.
  if (existing && text != *existing && !BackupCfgOnce(files.default_cfg)) return false;
  if (!WriteFileAtomic(files.default_cfg, text)) return false;
  m.dirty = false;
  return true;
}

void LoadInputMapping() { LoadInputMapping(TheInputMapping(), CurrentMappingFiles()); }
bool WriteInputMapping() { return WriteInputMapping(TheInputMapping(), CurrentMappingFiles()); }

bool BackupCfgOnce(const std::string& cfg_path) {
  const std::string backup = cfg_path + ".korvo-backup";
  if (FileExists(backup) && !IsFolder(backup)) return true;
  std::optional<std::string> bytes = ReadWholeFile(cfg_path);
  if (!bytes) return !FileExists(cfg_path);  // nothing to keep, or it cannot be read
  return WriteFileAtomic(backup, *bytes);
}

void BackupDefaultCfg() { BackupCfgOnce(CurrentMappingFiles().default_cfg); }
