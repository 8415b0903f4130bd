#include "backup/backup.h"

#include <cstring>
#include <vector>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/text_util.h"
#include "backup/zip_writer.h"
#include "launch/mame_location.h"
#include "romcheck/zip_reader.h"
#include "settings/play_stats.h"

namespace {

// The launcher's own files. The autofire file goes with them: it holds the
// real keys of buttons that MAME's default.cfg maps to NONE.
constexpr const char* kSettingsFile = "korvo-settings.cfg";
constexpr const char* kAutofireFile = "korvo-autofire.cfg";
constexpr const char* kSettingsFiles[] = {kSettingsFile, kGameSettingsFileName, "korvo-combos.cfg", kAutofireFile,
                                          kPlayStatsFileName};
constexpr const char* kMameFolders[] = {"cfg", "nvram", "sta", "ini"};
constexpr size_t kLongestTarget = 700;

struct Walk {
  ZipWriter& zip;
  int added = 0;
  // Once a file does not fit, the zip is dropped and the rest only counted.
  ZipAdd failure = ZipAdd::kAdded;
  int left_out = 0;
  std::string first_left_out;
};

void AddFile(Walk& w, const std::string& path, std::string member) {
  for (char& c : member)
    if (c == '\\') c = '/';
  if (w.failure != ZipAdd::kAdded) {
    ++w.left_out;
    return;
  }
  auto data = ReadWholeFile(path);
  if (!data) return;  // unreadable files are left out
  w.failure = AddZipMember(w.zip, member, *data);
  if (w.failure == ZipAdd::kAdded) {
    ++w.added;
    return;
  }
  w.left_out = 1;
  w.first_left_out = member;
  ReleaseZip(w.zip);
}

void WalkFolder(Walk& w, const std::string& base, const std::string& relative, const std::string& prefix,
                int depth) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(JoinPath(base, relative), entries)) return;
  for (const FolderEntry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    std::string child = relative + "\\" + e.name;
    if (e.is_folder) {
      if (depth < kBackupFolderDepth) WalkFolder(w, base, child, prefix, depth + 1);
    } else if (e.size < kBackupFileLimit) {
      AddFile(w, JoinPath(base, child), prefix + child);
    }
  }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// Names that could leave the target folders: "..", a drive or stream colon,
// a leading separator.
bool UnsafeName(std::string_view name) {
  return name.find("..") != std::string_view::npos || name.find(':') != std::string_view::npos ||
         name.empty() || name[0] == '/' || name[0] == '\\';
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// Creates the folders of `target` below `base` (the base itself must exist).
void CreateFoldersBelow(const std::string& base, const std::string& target) {
  size_t from = base.size() + (EndsWithSeparator(base) ? 0 : 1);
  for (size_t at = target.find('\\', from); at != std::string::npos; at = target.find('\\', at + 1))
    CreateFolder(target.substr(0, at));
}

}  // namespace

BackupFolders CurrentBackupFolders(const Settings& settings) { return {LauncherFolder(), MameFolder(settings)}; }

BackupResult WriteBackup(const std::string& target, const BackupFolders& folders, const ZipLimits& limits) {
  ZipWriter zip;
  StartZip(zip);
  zip.limits = limits;
  Walk w{zip};
  // The launcher's own files first: they are what a restore must bring back.
  for (const char* name : kSettingsFiles) AddFile(w, JoinPath(folders.launcher, name), name);
  WalkFolder(w, folders.launcher, "profiles", "", 0);
  for (const char* folder : kMameFolders) WalkFolder(w, folders.mame, folder, "mame/", 0);
  BackupResult result;
  if (w.failure == ZipAdd::kDoesNotFit) {
    result.status = BackupStatus::kDidNotFit;
    TextBuffer text;
    AppendFormat(text,
                 "The backup was not saved: %d of its %d files did not fit into one zip file (at most %u files "
                 "and 4 GiB), from %s on.",
                 w.left_out, w.added + w.left_out, static_cast<unsigned>(kBackupMaxMembers),
                 w.first_left_out.c_str());
    result.problem = text;
  } else if (w.failure == ZipAdd::kNoMemory) {
    result.status = BackupStatus::kWriteFailed;
  } else if (w.added == 0) {
    result.status = BackupStatus::kNothingToSave;
  } else if (FinishZip(zip) && WriteFileAtomic(target, zip.output)) {
    result.status = BackupStatus::kSaved;
    result.count = w.added;
  } else {
    result.status = BackupStatus::kWriteFailed;
  }
  ReleaseZip(zip);
  return result;
}

std::string BackupProblemText(const BackupResult& result) {
  switch (result.status) {
    case BackupStatus::kSaved: return "";
    case BackupStatus::kDidNotFit: return result.problem;
    default: return kBackupFailedText;
  }
}

std::string RestoreTarget(std::string_view name, const BackupFolders& folders) {
  if (UnsafeName(name) || name.back() == '/' || name.back() == '\\') return "";
  std::string base, rest;
  bool settings_file = false;
  for (const char* f : kSettingsFiles) settings_file = settings_file || name == f;
  if (settings_file) {
    base = folders.launcher;
    rest = name;
  } else if (StartsWith(name, "profiles/")) {
    std::string_view file = name.substr(9);
    if (file.empty() || file.find_first_of("/\\") != std::string_view::npos) return "";  // top level only
    base = folders.launcher;
    rest = name;
  } else if (StartsWith(name, "mame/")) {
    std::string_view inside = name.substr(5);
    bool known = false;
    for (const char* f : kMameFolders) {
      size_t n = std::strlen(f);
      known = known || (inside.size() > n + 1 && StartsWith(inside, f) && inside[n] == '/');
    }
    if (!known) return "";
    base = folders.mame;
    rest = inside;
  } else {
    return "";
  }
  for (char& c : rest)
    if (c == '/') c = '\\';
  std::string target = JoinPath(base, rest);
  if (Utf16Length(target) > kLongestTarget) return "";
  return target;
}

namespace {

// Every member of a backup is checked, as many as a backup can hold.
bool SoundZip(const std::string& zip) {
  ZipCheck check;
  return CheckZip(reinterpret_cast<const uint8_t*>(zip.data()), zip.size(), check, kBackupMaxMembers);
}

int RestoreFromBytes(const std::string& zip, const BackupFolders& folders,
                     std::vector<std::string>* names = nullptr) {
  if (!SoundZip(zip)) return -1;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(zip.data());
  std::vector<ZipEntry> entries;
  if (ReadZipDirectory(bytes, zip.size(), entries, kBackupMaxMembers) < 0) return -1;
  int restored = 0;
  for (const ZipEntry& e : entries) {
    if (names) names->push_back(e.name);
    std::string target = RestoreTarget(e.name, folders);
    if (target.empty() || e.uncompressed_size > kRestoreMemberLimit) continue;
    std::string data(e.uncompressed_size, '\0');
    if (!ExtractZipMember(bytes, zip.size(), e, reinterpret_cast<uint8_t*>(data.data()))) continue;
    std::string base = StartsWith(e.name, "mame/") ? folders.mame : folders.launcher;
    CreateFoldersBelow(base, target);
    if (WriteFileAtomic(target, data)) ++restored;
  }
  return restored;
}

bool Holds(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

// A restore replaces the launcher's settings as a whole: its own files that
// the backup does not hold go back to their start values (a missing file).
// The settings file is written with the defaults instead, so that the next
// start is not taken for a first run, and it keeps the binding version, which
// describes MAME's default.cfg rather than the launcher. The autofire file
// stays when the backup brings no default.cfg: the current one still maps
// its autofire buttons to NONE and needs their real keys.
void ResetFilesNotHeld(const std::vector<std::string>& names, const BackupFolders& folders,
                       const Settings& current) {
  for (const char* file : kSettingsFiles) {
    if (Holds(names, file)) continue;
    std::string path = JoinPath(folders.launcher, file);
    if (std::string_view(file) == kSettingsFile) {
      Settings fresh;
      ResetSettings(fresh);
      fresh.binding_version = current.binding_version;
      SaveSettings(fresh, path);
    } else if (std::string_view(file) != kAutofireFile || Holds(names, "mame/cfg/default.cfg")) {
      if (FileExists(path)) DeleteFileAt(path);
    }
  }
}

}  // namespace

int RestoreBackup(const std::string& zip_path, const BackupFolders& folders) {
  auto zip = ReadWholeFile(zip_path);
  return zip ? RestoreFromBytes(*zip, folders) : -1;
}

BackupResult BackupSettings(const std::string& target, const BackupFolders& folders, const Settings& settings) {
  SaveSettings(settings, JoinPath(folders.launcher, kSettingsFile));
  return WriteBackup(target, folders);
}

int RestoreSettingsFromBackup(const std::string& zip_path, const BackupFolders& folders, Settings& settings,
                              GameSettingsList& game_settings, std::string* problem, const ZipLimits& safety_limits) {
  // Read and checked before anything is written: a damaged file does not
  // even replace the previous safety backup. Held in memory, so choosing the
  // safety backup itself restores it as it was, not the state just saved.
  auto zip = ReadWholeFile(zip_path);
  if (!zip || !SoundZip(*zip)) return -1;
  std::string settings_path = JoinPath(folders.launcher, kSettingsFile);
  SaveSettings(settings, settings_path);
  // A restore that could not be undone is not started.
  BackupResult safety = WriteBackup(JoinPath(folders.launcher, kSafetyBackupName), folders, safety_limits);
  if (safety.status != BackupStatus::kSaved && safety.status != BackupStatus::kNothingToSave) {
    if (problem) {
      *problem = kNotUndoableText;
      if (!safety.problem.empty()) *problem += "\n\n" + safety.problem;
    }
    return kRestoreNotUndoable;
  }
  std::vector<std::string> names;
  int restored = RestoreFromBytes(*zip, folders, &names);
  if (restored < 0) return -1;
  ResetFilesNotHeld(names, folders, settings);
  ResetSettings(settings);
  LoadSettings(settings, settings_path);
  LoadGameSettings(game_settings, JoinPath(folders.launcher, kGameSettingsFileName));
  return restored;
}

std::string BackupFileName(int year, int month, int day) {
  TextBuffer name;
  AppendFormat(name, "KORVO-backup-%04d-%02d-%02d.zip", year, month, day);
  return name;
}

std::string BackupSavedText(int count, const std::string& path) {
  TextBuffer text;
  AppendFormat(text, "Backup saved: %d files in %s", count, path.c_str());
  return text;
}

std::string BackupRestoredText(int count) {
  TextBuffer text;
  AppendFormat(text, "Backup restored: %d files", count);
  return text;
}
