#include "backup/backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/paths.h"
#include "romcheck/zip_reader.h"
#include "romcheck/zip_test_util.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using namespace ziptest;

namespace {

std::vector<std::string> MemberNames(const std::string& zip_path) {
  std::string zip = ReadTestFile(zip_path);
  std::vector<ZipEntry> entries;
  ReadZipDirectory(Bytes(zip), zip.size(), entries, kZipMaxEntries);
  std::vector<std::string> names;
  for (const ZipEntry& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

// Every file below a folder with its content, keyed by the relative path.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadTestFile(e.path().string());
  return files;
}

class Backup : public ::testing::Test {
 protected:
  void SetUp() override {
    folders_ = {dir_.File("launcher"), dir_.File("mame")};
    const std::pair<std::string, std::string> files[] = {
        {L("korvo-settings.cfg"), "video=1\r\n"}, {L("korvo-games.cfg"), "[game 82]\r\nrotate=2\r\n"},
        {L("korvo-combos.cfg"), "combos\r\n"}, {L("profiles/Pad.cfg"), "profile\r\n"},
        {L("profiles/old/Kept.cfg"), "in a sub-folder\r\n"}, {L("unrelated.txt"), "not backed up"},
        {M("cfg/default.cfg"), "<mameconfig/>"}, {M("cfg/1/2/3/4/deep.cfg"), "four levels down"},
        {M("cfg/1/2/3/4/5/deeper.cfg"), "five levels down"}, {M("nvram/tekken3/at28c16"), std::string(2048, '\x11')},
        {M("sta/sfex/1.sta"), "state"}, {M("ini/mame.ini"), "rompath roms\r\n"}, {M("snap/x.png"), "not backed up"}};
    for (const auto& [path, data] : files) WriteTestFile(path, data);
  }
  std::string L(const std::string& name) const { return folders_.launcher + "/" + name; }
  std::string M(const std::string& name) const { return folders_.mame + "/" + name; }

  TempDir dir_;
  BackupFolders folders_;
  Settings settings_;
  GameSettingsList games_;
};

}  // namespace

TEST_F(Backup, WritesTheSettingsProfilesAndMameFoldersBelowTheSizeLimit) {
  WriteTestFile(M("sta/big/limit.sta"), std::string(kBackupFileLimit, 'x'));
  WriteTestFile(M("sta/big/under.sta"), std::string(kBackupFileLimit - 1, 'y'));
  WriteTestFile(L("profiles/\xC5\x81\xC3\xB3" "d\xC5\xBA.cfg"), "profile\r\n");
  WriteTestFile(L("korvo-played.cfg"), "23=1,60,0\r\n");
  std::string zip = dir_.File("backup.zip");
  ResetSettings(settings_);
  settings_.video = 2;  // what the launcher holds, not saved yet, goes into the backup
  EXPECT_EQ(BackupSettings(zip, folders_, settings_).count, 13);
  EXPECT_NE(ReadTestFile(zip).find("video=2"), std::string::npos);  // members are stored as they are
  EXPECT_EQ(MemberNames(zip), (std::vector<std::string>{
                                  "korvo-combos.cfg", "korvo-games.cfg", "korvo-played.cfg", "korvo-settings.cfg",
                                  "mame/cfg/1/2/3/4/deep.cfg", "mame/cfg/default.cfg", "mame/ini/mame.ini",
                                  "mame/nvram/tekken3/at28c16", "mame/sta/big/under.sta", "mame/sta/sfex/1.sta",
                                  "profiles/Pad.cfg", "profiles/old/Kept.cfg", "profiles/\xC5\x81\xC3\xB3" "d\xC5\xBA.cfg"}));

  // No MAME folder: the settings files and profiles are still backed up. Nothing at all: no zip.
  EXPECT_EQ(WriteBackup(dir_.File("no-mame.zip"), {folders_.launcher, dir_.File("nowhere")}).count, 7);
  BackupResult none = WriteBackup(dir_.File("none.zip"), {dir_.File("empty1"), dir_.File("empty2")});
  EXPECT_TRUE(BackupProblemText(none) == kBackupFailedText && !TestFileExists(dir_.File("none.zip")));
  EXPECT_EQ(BackupProblemText(WriteBackup(dir_.File("gone/backup.zip"), folders_)), kBackupFailedText);

  // A sound zip to the strict 7z and to Python: the UTF-8 name as UTF-8, nothing read-only, not a spanned archive.
  EXPECT_EQ(std::system(("7z t -bd -bso0 -bsp0 '" + zip + "'").c_str()), 0);
  if (std::system("command -v python3 >/dev/null 2>&1") != 0) return;  // no Python here
  WriteTestFile(dir_.File("check.py"), "import zipfile, sys\nsrc = zipfile.ZipFile('" + zip + "')\n"
                "sys.exit(src.testzip() is not None or 'profiles/\\u0141\\u00f3d\\u017a.cfg' not in src.namelist() or\n"
                "         any(member.external_attr for member in src.infolist()) or\n"
                "         open(src.filename, 'rb').read()[-18:-14] != bytes(4))\n");
  EXPECT_EQ(std::system(("python3 " + dir_.File("check.py")).c_str()), 0);
}

TEST_F(Backup, EveryFileOrNoBackupAtAllAndRestoresOnlyToKnownPlacesWithSafeNames) {
  // More members than a ROM zip check looks at: all are kept, and all restored.
  for (int i = 0; i < 4200; ++i) WriteTestFile(M("nvram/many/" + std::to_string(i)), "n");
  std::string zip = dir_.File("backup.zip");
  const BackupResult all = WriteBackup(zip, folders_);
  EXPECT_TRUE(all.status == BackupStatus::kSaved && all.count == 4210 && BackupProblemText(all).empty());
  EXPECT_EQ(RestoreBackup(zip, folders_), 4209);  // all but the profile in a sub-folder

  // Files that do not fit are never dropped: the whole backup is refused and says so (the launcher's own come first).
  BackupResult refused = WriteBackup(dir_.File("refused.zip"), folders_, ZipLimits{5, 0xFFFFFFFFu});
  EXPECT_TRUE(refused.status == BackupStatus::kDidNotFit && !TestFileExists(dir_.File("refused.zip")));
  const std::string text = BackupProblemText(refused);
  EXPECT_EQ(text.rfind("The backup was not saved: 4205 of its 4210 files did not fit into one zip file (at most "
                       "65535 files and 4 GiB), from mame/", 0), 0u) << text;
  // The same for the size a zip can describe.
  EXPECT_EQ(WriteBackup(dir_.File("refused.zip"), folders_, ZipLimits{0xFFFF, 4096}).status, BackupStatus::kDidNotFit);

  // A restore whose safety backup would be cut does not go on.
  WriteTestFile(L("korvo-settings.cfg"), "video=3\r\n");
  ResetSettings(settings_);
  settings_.video = 3;
  std::string problem;
  EXPECT_EQ(RestoreSettingsFromBackup(zip, folders_, settings_, games_, &problem, ZipLimits{5, 0xFFFFFFFFu}),
            kRestoreNotUndoable);
  EXPECT_EQ(problem.rfind(std::string(kNotUndoableText) + "\n\nThe backup was not saved: ", 0), 0u) << problem;
  EXPECT_TRUE(settings_.video == 3 && ReadTestFile(L("korvo-settings.cfg")).find("video=1") == std::string::npos &&
              !TestFileExists(L(kSafetyBackupName)));

  SetLauncherFolder("C:\\K"), settings_.mame_exe = "D:\\mame.exe";  // MAME at a drive's root
  BackupFolders f = CurrentBackupFolders(settings_);
  SetLauncherFolder("");
  EXPECT_EQ(RestoreTarget("profiles/x.cfg", f), "C:\\K\\profiles\\x.cfg");
  EXPECT_EQ(RestoreTarget("mame/cfg/sub/x.cfg", f), "D:\\cfg\\sub\\x.cfg");
  for (const char* refused :
       {"KORVO-SETTINGS.CFG", "korvo-settings.cfg/", "profiles/sub/x.cfg", "profiles/sub\\x.cfg", "profiles/",
        "mame/cfg/", "mame/cfg", "mame/snap/x.png", "mame/cfgx/a", "profiles/..", "mame/cfg/a:stream", "mame/cfg/sub/",
        "evil.exe", ""})  // paths that climb out or start at a root: the hostile zip below
    EXPECT_EQ(RestoreTarget(refused, f), "") << refused;
  EXPECT_EQ(RestoreTarget("mame/cfg/" + std::string(800, 'x'), f), "");

  // A hostile zip writes nothing outside.
  TempDir dir;
  f = {dir.File("launcher"), dir.File("mame")};
  fs::create_directories(f.launcher), fs::create_directories(f.mame);
  std::vector<Member> hostile;
  for (const char* name : {"../escaped.txt", "mame/cfg/../../escaped.txt", "mame/../escaped.txt", "/tmp/escaped.txt",
                           "\\escaped.txt", "C:/escaped.txt", "profiles/../../escaped.txt", "mame/ini/ok.ini"})
    hostile.push_back(Stored(name, "payload"));
  WriteTestFile(dir.File("hostile.zip"), BuildZip(hostile));
  EXPECT_EQ(RestoreBackup(dir.File("hostile.zip"), f), 1);
  auto written = Snapshot(dir.path());
  written.erase("hostile.zip");
  EXPECT_EQ(written, (std::map<std::string, std::string>{{"mame/ini/ok.ini", "payload"}}));
  EXPECT_FALSE(TestFileExists("/tmp/escaped.txt"));
}

// A restore resets the launcher's own files the backup lacks, keeps MAME's and the profiles, and can itself be undone.
TEST_F(Backup, RestoreRefusesDamageRoundTripsAndTheSafetyBackupUndoesIt) {
  std::string zip = dir_.File("backup.zip");
  ASSERT_EQ(WriteBackup(zip, folders_).count, 10);
  auto mame_before = Snapshot(folders_.mame);
  WriteTestFile(L("korvo-settings.cfg"), "video=3\r\n");
  WriteTestFile(M("cfg/default.cfg"), "changed");
  fs::remove(M("sta/sfex/1.sta"));
  fs::remove_all(L("profiles"));
  ResetSettings(settings_);  // what the launcher holds now; saved before the restore
  settings_.video = 3;

  // A damaged or foreign zip is refused as a whole before anything is written, not even a safety backup.
  const std::string bytes = ReadTestFile(zip);
  auto launcher_before = Snapshot(folders_.launcher), mame_changed = Snapshot(folders_.mame);
  std::string half = bytes.substr(0, bytes.size() / 2), flipped = bytes;
  half[half.size() - 60] ^= 1;
  flipped[flipped.find("video=1")] ^= 0x20;  // a flipped data byte fails the checksum
  for (const std::string& damaged : {half, std::string("not a zip at all, not even close"), std::string(), flipped}) {
    WriteTestFile(dir_.File("damaged.zip"), damaged);
    EXPECT_EQ(RestoreSettingsFromBackup(dir_.File("damaged.zip"), folders_, settings_, games_), -1);
    EXPECT_EQ(RestoreBackup(dir_.File("damaged.zip"), folders_), -1);
  }
  EXPECT_EQ(RestoreBackup(dir_.File("missing.zip"), folders_), -1);
  EXPECT_TRUE(Snapshot(folders_.launcher) == launcher_before && Snapshot(folders_.mame) == mame_changed &&
              settings_.video == 3);

  // profiles/old/Kept.cfg is in the zip but only top-level profiles come back.
  EXPECT_EQ(BackupRestoredText(RestoreSettingsFromBackup(zip, folders_, settings_, games_)), "Backup restored: 9 files");
  EXPECT_EQ(settings_.video, 1);
  EXPECT_NE(FindGameSettings(games_, 82), nullptr);  // what the launcher holds, too
  EXPECT_TRUE(Snapshot(folders_.mame) == mame_before && ReadTestFile(L("profiles/Pad.cfg")) == "profile\r\n");
  // Restoring the safety backup (chosen by its own path) brings the changed state back.
  EXPECT_GT(RestoreSettingsFromBackup(L(kSafetyBackupName), folders_, settings_, games_), 0);
  EXPECT_EQ(std::to_string(settings_.video) + ReadTestFile(M("cfg/default.cfg")), "3changed");

  WriteTestFile(L("korvo-autofire.cfg"), "P1_BUTTON1\tA\t\t\n");
  auto zip_of = [&](const std::vector<Member>& members) {
    WriteTestFile(dir_.File("made.zip"), BuildZip(members));
    return dir_.File("made.zip");
  };
  settings_.binding_version = 5;
  auto before = Snapshot(folders_.launcher);
  const std::string settings_and_cfg =
      zip_of({Stored("korvo-settings.cfg", "video=1\r\n"), Stored("mame/cfg/default.cfg", "<r/>")});
  EXPECT_EQ(RestoreSettingsFromBackup(settings_and_cfg, folders_, settings_, games_), 2);
  for (const char* reset : {"korvo-games.cfg", "korvo-combos.cfg", "korvo-autofire.cfg"})
    EXPECT_FALSE(TestFileExists(L(reset))) << reset;
  EXPECT_TRUE(settings_.video == 1 && games_.empty() && ReadTestFile(M("sta/sfex/1.sta")) == "state");

  // Without default.cfg the current one stays with the autofire file (the real keys of its NONE buttons); without a
  // settings file the defaults are written, keeping the binding version.
  EXPECT_GT(RestoreSettingsFromBackup(L(kSafetyBackupName), folders_, settings_, games_), 0);
  auto after_undo = Snapshot(folders_.launcher);
  for (const char* name : {kSafetyBackupName, "korvo-settings.cfg"}) after_undo.erase(name), before.erase(name);
  EXPECT_EQ(after_undo, before);
  settings_.video = 3;
  EXPECT_EQ(RestoreSettingsFromBackup(zip_of({Stored("mame/ini/mame.ini", "x")}), folders_, settings_, games_), 1);
  EXPECT_TRUE(TestFileExists(L("korvo-autofire.cfg")) && settings_.video == Settings().video);
  EXPECT_NE(ReadTestFile(L("korvo-settings.cfg")).find("binding_version=5"), std::string::npos);
}

