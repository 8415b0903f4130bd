// Backup Settings and Restore Settings through their commands, with the
// platform's file dialogs answered as a user would: the proposed name and
// filters, the question, the status texts, and files brought back byte for
// byte; the refusals leave everything as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "backup/backup_ui_win.h"
#include "backup/zip_writer.h"
#include "scratch_launcher_win.h"
#include "ui/shell_win.h"

namespace {
// Status texts the commands show.
struct StatusCapture {
  std::vector<std::string> texts;
  StatusCapture() {
    ShellServices services;
    services.show_status = [this](const std::string& text) { texts.push_back(text); };
    SetShellServices(services);
  }
  ~StatusCapture() { SetShellServices({}); }
};

// What a user has set up: the launcher's files and MAME's saves.
const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"korvo-games.cfg", "[game 23]\r\nbios=\r\n"},
    {"korvo-combos.cfg", "sfex2|Hadouken|d,df,f+1\r\n"},
    {"profiles\\Arcade Stick.cfg", "up=KEYCODE_UP\r\n"},
    {"cfg\\default.cfg", "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\" />\n"},
    {"cfg\\sfex2.cfg", std::string("<mameconfig>\0\x01\xFF</mameconfig>", 29)},
    {"nvram\\sfex2\\eeprom", std::string(4096, '\x5A')},
    {"sta\\sfex2\\1.sta", "state"},
    {"ini\\mame.ini", "video d3d\r\n"},
};

std::string Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char name[64];
  snprintf(name, sizeof name, "KORVO-backup-%04d-%02d-%02d.zip", t.wYear, t.wMonth, t.wDay);
  return name;
}
}  // namespace

TEST(BackupCommands, BackupThenRestoreBringsEveryFileBack) {
  ScratchLauncher f;
  App().settings.roms_directory = "D:\\Games\\roms";
  SaveSettings(App().settings, App().settings_path);
  for (const auto& [name, bytes] : kFiles) f.Write(name, bytes);
  const std::string settings_file = f.Read("korvo-settings.cfg");
  const std::string backup = f.dir.File("saved\\my backup.zip");
  CreateFolder(f.dir.File("saved"));
  StatusCapture status;

  std::string proposed;
  std::vector<std::string> filters;
  DialogScript save;
  save.Then([&] { return AnswerFileDialog("Backup Settings", backup, &proposed, &filters); });
  BackupSettingsCommand(nullptr, false);
  EXPECT_TRUE(save.Finished());
  EXPECT_EQ(proposed, Today());
  EXPECT_EQ(filters, (std::vector<std::string>{"Zip files (*.zip)", "All files"}));
  ASSERT_EQ(status.texts, (std::vector<std::string>{"Backup saved: 9 files in " + backup}));

  // Everything changes after the backup: edited, removed, added.
  App().settings.roms_directory = "E:\\elsewhere";
  SaveSettings(App().settings, App().settings_path);
  f.Write("cfg\\sfex2.cfg", "changed");
  DeleteFileW(Utf8ToUtf16(f.dir.File("nvram\\sfex2\\eeprom")).c_str());
  f.Write("profiles\\New.cfg", "new");
  App().settings.favorites_only = 1;  // in memory only

  std::string question;
  bool applied = false, reloaded = false;
  size_t status_before_reload = 99;
  DialogScript restore;
  restore.Then([&] { return AnswerFileDialog("Restore Settings", backup); })
      .Then([&] { return AnswerBox("Restore Settings", IDYES, &question); });
  RestoreSteps steps;
  steps.apply_options = [&] { applied = true; };
  steps.reload_windows = [&] { reloaded = true, status_before_reload = status.texts.size(); };
  EXPECT_TRUE(RestoreSettingsCommand(nullptr, false, steps));
  EXPECT_TRUE(restore.Finished());
  EXPECT_EQ(question,
            "Replace the current settings, per-game settings, combos and autofire and the MAME saves (input mapping, "
            "nvram, save states) with the ones in this backup?\n\nKorvo's own settings that the backup does not hold "
            "go back to their start values; MAME's files and the profiles that it does not hold stay as they "
            "are.\n\nThe current ones are saved first as KORVO-before-restore.zip in the launcher folder.");
  EXPECT_TRUE(applied);
  EXPECT_TRUE(reloaded);
  EXPECT_EQ(status_before_reload, 1u);  // the status text comes after the windows were refilled
  EXPECT_EQ(status.texts.back(), "Backup restored: 9 files");

  for (const auto& [name, bytes] : kFiles) EXPECT_EQ(f.Read(name), bytes) << name;
  EXPECT_EQ(f.Read("korvo-settings.cfg"), settings_file);
  EXPECT_EQ(App().settings.roms_directory, "D:\\Games\\roms");  // the settings were read again
  EXPECT_EQ(App().settings.favorites_only, 0);
  EXPECT_EQ(f.Read("profiles\\New.cfg"), "new");  // a restore adds and replaces, it does not delete
  EXPECT_TRUE(f.Exists("KORVO-before-restore.zip"));
}

TEST(BackupCommands, RefusalsWriteNothing) {
  ScratchLauncher f;
  SaveSettings(App().settings, App().settings_path);
  f.Write("cfg\\sfex2.cfg", "mine");
  const std::string settings_file = f.Read("korvo-settings.cfg");
  StatusCapture status;
  auto untouched = [&] {
    EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), "mine");
    EXPECT_EQ(f.Read("korvo-settings.cfg"), settings_file);
    EXPECT_FALSE(f.Exists("KORVO-before-restore.zip"));
    EXPECT_TRUE(status.texts.empty());
  };

  std::string box;
  DialogScript running;
  running.Then([&] { return AnswerBox("Restore Settings", IDOK, &box); });
  EXPECT_FALSE(RestoreSettingsCommand(nullptr, true));
  EXPECT_EQ(box, "Stop the running game first.");

  // Not a zip, a cut-off zip: refused after the question, before any write.
  ZipWriter zip;
  StartZip(zip);
  AddZipMember(zip, "mame/cfg/sfex2.cfg", "theirs");
  FinishZip(zip);
  f.Write("cut.zip", zip.output.substr(0, zip.output.size() - 30));
  f.Write("text.zip", "just some text");
  for (const char* name : {"text.zip", "cut.zip"}) {
    box.clear();
    DialogScript s;
    s.Then([&] { return AnswerFileDialog("Restore Settings", f.dir.File(name)); })
        .Then([&] { return AnswerBox("Restore Settings", IDYES); })
        .Then([&] { return AnswerBox("Restore Settings", IDOK, &box); });
    EXPECT_FALSE(RestoreSettingsCommand(nullptr, false));
    EXPECT_TRUE(s.Finished()) << name;
    EXPECT_EQ(box, "This file is not a readable backup of Korvo (damaged or not a zip).") << name;
    untouched();
  }

  // A sound backup, but the user says No, or cancels the file choice.
  f.Write("good.zip", zip.output);
  DialogScript no;
  no.Then([&] { return AnswerFileDialog("Restore Settings", f.dir.File("good.zip")); })
      .Then([&] { return AnswerBox("Restore Settings", IDNO); });
  EXPECT_FALSE(RestoreSettingsCommand(nullptr, false));
  DialogScript cancel;
  cancel.Then([&] { return AnswerFileDialog("Restore Settings", ""); });
  EXPECT_FALSE(RestoreSettingsCommand(nullptr, false));
  DialogScript cancel_backup;
  cancel_backup.Then([&] { return AnswerFileDialog("Backup Settings", ""); });
  BackupSettingsCommand(nullptr, false);
  EXPECT_TRUE(no.Finished() && cancel.Finished() && cancel_backup.Finished());
  untouched();

  // Member names that would leave the allowed folders are never written.
  ZipWriter evil;
  StartZip(evil);
  AddZipMember(evil, "../escaped.cfg", "x");
  AddZipMember(evil, "mame/cfg/../../escaped2.cfg", "x");
  AddZipMember(evil, "C:/escaped3.cfg", "x");
  FinishZip(evil);
  f.Write("evil.zip", evil.output);
  DialogScript s;
  s.Then([&] { return AnswerFileDialog("Restore Settings", f.dir.File("evil.zip")); })
      .Then([&] { return AnswerBox("Restore Settings", IDYES); })
      .Then([&] { return !FindBox("Restore Settings") || AnswerBox("Restore Settings", IDOK); });
  RestoreSettingsCommand(nullptr, false);
  EXPECT_FALSE(FileExists(f.dir.File("..\\escaped.cfg")));
  EXPECT_FALSE(FileExists(f.dir.File("..\\escaped2.cfg")));
  EXPECT_FALSE(FileExists("C:\\escaped3.cfg"));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), "mine");
}

TEST(BackupCommands, AFailedWriteIsSaid) {
  ScratchLauncher f;
  CreateFolder(f.dir.File("empty.zip.tmp"));  // where the zip would be written before it takes its name
  StatusCapture status;
  std::string box;
  DialogScript s;
  s.Then([&] { return AnswerFileDialog("Backup Settings", f.dir.File("empty.zip")); })
      .Then([&] { return AnswerBox("Backup Settings", IDOK, &box); });
  BackupSettingsCommand(nullptr, false);
  EXPECT_TRUE(s.Finished());
  EXPECT_EQ(box, "The backup could not be written.");
  EXPECT_FALSE(f.Exists("empty.zip"));
  EXPECT_TRUE(status.texts.empty());
}
