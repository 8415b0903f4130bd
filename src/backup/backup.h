// Backup and restore of everything the user has set up: the launcher's own
// settings files and profiles, and MAME's cfg, nvram, sta and ini folders, as
// one zip of stored members.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/zip_writer.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

struct BackupFolders {
  std::string launcher;  // the launcher's folder
  std::string mame;      // the folder of mame.exe
};
// The launcher folder and MAME's folder as the settings give them now.
BackupFolders CurrentBackupFolders(const Settings& settings);

constexpr uint64_t kBackupFileLimit = 64ull << 20;       // files this size or larger are left out
constexpr uint32_t kRestoreMemberLimit = 256u << 20;     // members larger than this are not restored
constexpr int kBackupFolderDepth = 4;                    // sub-folder levels walked below cfg, nvram, ...
constexpr size_t kBackupMaxMembers = 0xFFFF;             // what a zip's member count can say; restores accept as many
constexpr const char* kSafetyBackupName = "KORVO-before-restore.zip";

enum class BackupStatus {
  kSaved,          // `count` members written
  kNothingToSave,  // no file was found: no zip
  kDidNotFit,      // the files do not fit into one zip: no zip, and `problem` says what did not fit
  kWriteFailed,    // the zip could not be written (or memory ran out)
};
struct BackupResult {
  BackupStatus status = BackupStatus::kNothingToSave;
  int count = 0;
  std::string problem;  // for kDidNotFit: the box text, "The backup was not saved: ..."
};

// Writes the backup zip: the launcher's own files first (settings files and
// profiles), then MAME's folders. A backup holds every file it finds or is
// not written at all: files beyond what one zip can hold are never dropped.
BackupResult WriteBackup(const std::string& target, const BackupFolders& folders, const ZipLimits& limits = {});

// The Backup command once the target is chosen: the current settings are
// saved first, so the backup holds what the user sees.
BackupResult BackupSettings(const std::string& target, const BackupFolders& folders, const Settings& settings);

// What the Backup command shows in its warning box for a result that is not
// kSaved: what did not fit, or "The backup could not be written.".
std::string BackupProblemText(const BackupResult& result);

// Puts a backup back: the number of files restored, or -1 when the file
// cannot be read or is not a sound zip (nothing is written then). Members
// whose names could leave the target folders are never written.
int RestoreBackup(const std::string& zip_path, const BackupFolders& folders);

// Where a member goes, or "" when it is not restored (wrong place, unsafe
// name, or a path too long).
std::string RestoreTarget(std::string_view member, const BackupFolders& folders);

// The Restore command after the user said yes: the zip is checked first, then
// the current settings are saved and backed up as KORVO-before-restore.zip,
// the backup is restored, the launcher's own files it does not hold go back
// to their start values, and both settings files are read again. The count,
// or -1 for an unreadable or damaged zip, or kRestoreNotUndoable when the
// safety backup could not be written whole (`problem` then holds the box
// text); in both cases nothing was restored.
constexpr int kRestoreNotUndoable = -2;
int RestoreSettingsFromBackup(const std::string& zip_path, const BackupFolders& folders, Settings& settings,
                              GameSettingsList& game_settings, std::string* problem = nullptr,
                              const ZipLimits& safety_limits = {});

// "KORVO-backup-YYYY-MM-DD.zip", proposed in the save dialog.
std::string BackupFileName(int year, int month, int day);

// Texts of the commands.
constexpr const char* kBackupTitle = "Backup Settings";
constexpr const char* kRestoreTitle = "Restore Settings";
constexpr const char* kBackupFailedText = "The backup could not be written.";
constexpr const char* kStopGameFirstText = "Stop the running game first.";
constexpr const char* kRestoreQuestionText =
    "Replace the current settings, per-game settings, combos and autofire, play statistics and the MAME saves (input "
    "mapping, nvram, save states) with the ones in this backup?\n\nKorvo's own settings that the backup does not "
    "hold go back to their start values; MAME's files and the profiles that it does not hold stay as they are.\n\n"
    "The current ones are saved first as KORVO-before-restore.zip in the launcher folder.";
constexpr const char* kNotABackupText = "This file is not a readable backup of Korvo (damaged or not a zip).";
constexpr const char* kNotUndoableText =
    "Nothing was restored: the current settings could not be saved first as KORVO-before-restore.zip, so the "
    "restore could not be undone.";
std::string BackupSavedText(int count, const std::string& path);  // "Backup saved: 3 files in C:\..."
std::string BackupRestoredText(int count);                        // "Backup restored: 3 files"
