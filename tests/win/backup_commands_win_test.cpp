// Backup and Restore Settings through their commands, the file dialogs answered: what comes back, refusals.

#include <gtest/gtest.h>

#include "backup/backup.h"
#include "backup/backup_ui_win.h"
#include "scratch_launcher_win.h"
#include "ui/shell_win.h"

namespace {
struct StatusCapture {
  std::vector<std::string> texts;
  StatusCapture() {
    ShellServices services;
    services.show_status = [this](const std::string& text) { texts.push_back(text); };
    SetShellServices(services);
  }
  ~StatusCapture() { SetShellServices({}); }
};
}  // namespace

TEST(BackupCommands, ABackupRefusalsThatChangeNothingAndARestoreThatBringsEveryFileBack) {
  ScratchLauncher f;
  App().settings.roms_directory = "D:\\Games\\roms";
  SaveSettings(App().settings, App().settings_path);
  // What a user has set up: the launcher's files and MAME's saves (every kind: the native tests).
  const std::vector<std::pair<std::string, std::string>> kFiles = {
      {"korvo-games.cfg", "[game 23]\r\nbios=\r\n"}, {"nvram\\sfex2\\eeprom", std::string(4096, '\x5A')},
      {"cfg\\sfex2.cfg", std::string("<mameconfig>\0\x01\xFF</mameconfig>", 29)}};
  for (const auto& [name, bytes] : kFiles) f.Write(name, bytes);
  const std::string settings_file = f.Read("korvo-settings.cfg");
  const std::string backup = f.dir.File("saved\\my backup.zip");
  CreateFolder(f.dir.File("saved"));
  StatusCapture status;

  std::string proposed;
  std::vector<std::string> filters;
  DialogScript save;
  save.Then([&] { return AnswerFileDialog("Backup Settings", backup.substr(0, backup.size() - 4), &proposed, &filters); });
  BackupSettingsCommand(nullptr, false);  // typed without ".zip", which the dialog adds
  EXPECT_TRUE(save.Finished());
  SYSTEMTIME t;  // today's name, from the system's local date (the name's form: the native backup tests)
  GetLocalTime(&t);
  EXPECT_TRUE(proposed == BackupFileName(t.wYear, t.wMonth, t.wDay) &&
              (filters == std::vector<std::string>{"Zip files (*.zip)", "All files"})) << proposed;
  ASSERT_EQ(status.texts, (std::vector<std::string>{"Backup saved: 4 files in " + backup}));

  // Everything changes after the backup: edited, removed, added.
  App().settings.roms_directory = "E:\\elsewhere";
  SaveSettings(App().settings, App().settings_path);
  f.Write("cfg\\sfex2.cfg", "changed");
  DeleteFileW(Utf8ToUtf16(f.dir.File("nvram\\sfex2\\eeprom")).c_str());
  f.Write("profiles\\New.cfg", "new");
  const std::string changed_settings = f.Read("korvo-settings.cfg");

  // Each refusal: the file chosen ("" cancels), the answer to the question (0: none) and the box that follows.
  f.Write("text.zip", "just some text");
  CreateFolder(f.dir.File("empty.zip.tmp"));  // where a backup would be written before it takes its name
  CreateFolder(f.dir.File("KORVO-before-restore.zip.tmp"));  // a restore that could not be undone is not started
  const struct { const char* command; bool running; std::string file; int answer; const char* box; } kRefusals[] = {
      {"Restore Settings", true, "-", 0, kStopGameFirstText},
      {"Restore Settings", false, f.dir.File("text.zip"), IDYES, kNotABackupText},
      {"Restore Settings", false, backup, IDNO, ""},
      {"Restore Settings", false, backup, IDYES, kNotUndoableText},
      {"Restore Settings", false, "", 0, ""},
      {"Backup Settings", false, "", 0, ""},
      {"Backup Settings", false, f.dir.File("empty.zip"), 0, kBackupFailedText},
  };
  for (const auto& r : kRefusals) {
    SCOPED_TRACE(std::string(r.command) + " " + r.file);
    std::string box;
    DialogScript s;
    if (r.file != "-") s.Then([&] { return AnswerFileDialog(r.command, r.file); });
    if (r.answer) s.Then([&] { return AnswerBox(r.command, r.answer); });
    if (r.box[0]) s.Then([&] { return AnswerBox(r.command, IDOK, &box); });
    if (r.command[0] == 'B') BackupSettingsCommand(nullptr, r.running);
    else EXPECT_FALSE(RestoreSettingsCommand(nullptr, r.running));
    EXPECT_TRUE(s.Finished() && box == r.box);
    EXPECT_EQ(f.Read("cfg\\sfex2.cfg") + f.Read("korvo-settings.cfg"), "changed" + changed_settings);
    EXPECT_TRUE(!f.Exists("KORVO-before-restore.zip") && !f.Exists("empty.zip") && status.texts.size() == 1u);
  }

  RemoveDirectoryW(Utf8ToUtf16(f.dir.File("KORVO-before-restore.zip.tmp")).c_str());
  App().settings.favorites_only = 1;  // in memory only
  std::string question;
  bool applied = false;
  size_t status_before_reload = 99;
  DialogScript restore;
  restore.Then([&] { return AnswerFileDialog("Restore Settings", backup); })
      .Then([&] { return AnswerBox("Restore Settings", IDYES, &question); });
  RestoreSteps steps;
  steps.apply_options = [&] { applied = true; };
  steps.reload_windows = [&] { status_before_reload = status.texts.size(); };
  EXPECT_TRUE(RestoreSettingsCommand(nullptr, false, steps) && restore.Finished());
  EXPECT_EQ(question, kRestoreQuestionText);
  EXPECT_TRUE(applied);
  EXPECT_EQ(status_before_reload, 1u);  // the status text comes after the windows were refilled
  EXPECT_EQ(status.texts.back(), "Backup restored: 4 files");
  for (const auto& [name, bytes] : kFiles) EXPECT_EQ(f.Read(name), bytes) << name;
  EXPECT_EQ(f.Read("korvo-settings.cfg"), settings_file);
  EXPECT_TRUE(App().settings.roms_directory == "D:\\Games\\roms" && !App().settings.favorites_only);  // read again
  EXPECT_EQ(f.Read("profiles\\New.cfg"), "new");  // a restore adds and replaces, it does not delete
  EXPECT_TRUE(f.Exists("KORVO-before-restore.zip"));
}
