#include "backup/backup_ui_win.h"

#include <commdlg.h>

#include <string>

#include "backup/backup.h"
#include "base/utf16_win.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"

namespace {
constexpr DWORD kPathBufferSize = 560;

// The platform's save or open dialog for a zip; `path` holds the proposed
// name and receives the choice.
bool ChooseBackupFile(HWND owner, bool save, const std::string& title, std::string& path) {
  std::wstring buffer = Utf8ToUtf16(path);
  buffer.resize(kPathBufferSize, L'\0');
  std::wstring title16 = Utf8ToUtf16(title);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"Zip files (*.zip)\0*.zip\0All files\0*.*\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = kPathBufferSize;
  ofn.lpstrTitle = title16.c_str();
  ofn.lpstrDefExt = L"zip";
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  ModalOpened();
  BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  ModalClosed();
  if (!chosen) return false;
  path = Utf16ToUtf8(buffer.c_str());
  return true;
}
}  // namespace

void BackupSettingsCommand(HWND owner, bool) {
  SYSTEMTIME today;
  GetLocalTime(&today);
  std::string path = BackupFileName(today.wYear, today.wMonth, today.wDay);
  if (!ChooseBackupFile(owner, true, kBackupTitle, path)) return;
  Settings& settings = App().settings;
  BackupResult result = BackupSettings(path, CurrentBackupFolders(settings), settings);
  if (result.status == BackupStatus::kSaved)
    ShowStatus(BackupSavedText(result.count, path));
  else
    ShowMessage(BackupProblemText(result), kBackupTitle, MB_OK | MB_ICONWARNING);
}

bool RestoreSettingsCommand(HWND owner, bool game_running, const RestoreSteps& steps) {
  if (game_running) {
    ShowMessage(kStopGameFirstText, kRestoreTitle, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  std::string path;
  if (!ChooseBackupFile(owner, false, kRestoreTitle, path)) return false;
  if (ShowMessage(kRestoreQuestionText, kRestoreTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  if (steps.apply_options) steps.apply_options();
  AppState& app = App();
  std::string problem;
  int count =
      RestoreSettingsFromBackup(path, CurrentBackupFolders(app.settings), app.settings, app.game_settings, &problem);
  if (count == kRestoreNotUndoable) {
    ShowMessage(problem.empty() ? kNotUndoableText : problem, kRestoreTitle, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (count < 0) {
    ShowMessage(kNotABackupText, kRestoreTitle, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (steps.reload_windows) steps.reload_windows();
  ShowStatus(BackupRestoredText(count));
  return true;
}
