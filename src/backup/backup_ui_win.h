// The Backup Settings and Restore Settings commands: the file dialogs, the
// question and the texts around WriteBackup and RestoreBackup.
#pragma once
#include <windows.h>

#include <functional>

// Proposes KORVO-backup-YYYY-MM-DD.zip in a save dialog, saves the settings
// and writes the backup; the status bar or a box tells how it went. A running
// game does not stop a backup: its files are only read.
void BackupSettingsCommand(HWND owner, bool game_running);

struct RestoreSteps {
  // After the user said yes, before the settings are saved and backed up:
  // the options pages are applied, so the safety backup holds what was shown.
  std::function<void()> apply_options;
  // After the settings and per-game settings were read again: the pages are
  // refilled, the filters rebuilt and the list refilled. The status text comes
  // after it, so that refilling does not replace it at once.
  std::function<void()> reload_windows;
};

// Refused while a game runs; otherwise an open dialog, the question, the
// safety backup KORVO-before-restore.zip, then the restore and the reload of
// App().settings and App().game_settings. True when a restore happened.
bool RestoreSettingsCommand(HWND owner, bool game_running, const RestoreSteps& steps = {});
