// Carrying older mappings over (binding version) and clearing a game's own inputs.
#include <gtest/gtest.h>

#include <tuple>

#include "base/file_system.h"
#include "settings/app_state.h"
#include "controls/binding_migration.h"
#include "controls/game_cfg_inputs.h"
#include "controls_test_env.h"

TEST(MigrateBindings, UpdatesOldLayoutsAndKeepsUserChoices) {
  ControlsEnv env;
  InputMapping m;
  // An old stock mapping: arrow key with only the hat, LCONTROL on the old button-1 code,
  // an XInput trigger on the old Z axis code, and a key the user chose.
  ApplyMappingText(m,
                   "bind=P1_JOYSTICK_UP\tUP\t1_HAT1UP\t\t0\n"
                   "bind=P1_JOYSTICK_DOWN\t\t1_YAXIS_DOWN_SWITCH\t\t0\n"
                   "bind=P1_BUTTON1\tLCONTROL\t1_BUTTON1\t\t0\n"
                   "bind=P1_BUTTON3\tSPACE\t1_RZAXIS_NEG_SWITCH\t\t0\n"
                   "bind=P1_BUTTON6\tQ\t1_BUTTON6\t\t0\n"
                   "bind=P2_BUTTON1\tU\t2_BUTTON1\tJOYCODE_2_BUTTON9\t0\n");
  m.dirty = false;
  ASSERT_TRUE(MigrateBindings(m));
  EXPECT_TRUE(m.dirty);
  // Without a key before but with a pad code, the default key joins it; extra pad codes are left alone.
  for (auto [i, binding] : {std::pair{0, "W|1_HAT1UP|JOYCODE_1_YAXIS_UP_SWITCH"}, {1, "S|1_YAXIS_DOWN_SWITCH|JOYCODE_1_HAT1DOWN"},
                             {4, "4PAD|1_BUTTON3|"}, {6, "6PAD|1_BUTTON6|"}, {9, "Q|1_SLIDER2_NEG_SWITCH|"},
                             {14, "U|2_BUTTON1|JOYCODE_2_BUTTON9"}, {24, "F2||"}})  // absent ones get the defaults
    EXPECT_EQ(Described(m, i), binding) << i;
  InputMapping current;
  ResetToLauncherDefaults(current);
  current.dirty = false;
  EXPECT_FALSE(MigrateBindings(current));
}

TEST(BindingVersion, FirstRunUpgradeAndTheUsersFileKeptBeforeAnyChange) {
  ControlsEnv env;
  Settings s;
  ResetSettings(s);
  // First run without MAME: only the mapping in memory is reset.
  InputMapping m;
  EXPECT_FALSE(UpgradeBindingVersion(m, env.Files(), s, true, false));
  EXPECT_TRUE(s.binding_version == 0 && m.bindings[0].present && !TestFileExists(env.CfgPath()));
  // First run with MAME: backup of an existing default.cfg, defaults written.
  const std::string users = ReadTestFile(SourcePath("tests/fixtures/cfg/default_with_ports.cfg"));
  WriteTestFile(env.CfgPath(), users);
  InputMapping fresh;
  ASSERT_TRUE(UpgradeBindingVersion(fresh, env.Files(), s, true, true));
  EXPECT_TRUE(s.binding_version == kCurrentBindingVersion && ReadTestFile(env.CfgPath() + ".korvo-backup") == users &&
              ReadTestFile(env.CfgPath()).find("KEYCODE_4PAD OR JOYCODE_1_BUTTON3") != std::string::npos);
  // Later runs: an up-to-date file needs no write but still moves the version.
  s.binding_version = 4;
  InputMapping later;
  const std::string before = ReadTestFile(env.CfgPath());
  ASSERT_TRUE(UpgradeBindingVersion(later, env.Files(), s, false, true));
  EXPECT_TRUE(s.binding_version == kCurrentBindingVersion && ReadTestFile(env.CfgPath()) == before);
  EXPECT_FALSE(UpgradeBindingVersion(later, env.Files(), s, false, true));  // already current
  // A failed write keeps the old version so the step runs again.
  s.binding_version = 3;
  WriteTestFile(env.CfgPath(), "<mameconfig version=\"10\">\n");
  InputMapping broken;
  EXPECT_FALSE(UpgradeBindingVersion(broken, env.Files(), s, false, true) || s.binding_version != 3);

  // The MAME folder now points to another installation: a plain OK keeps its
  // file too, the first copy stays as it was, and a file that gets no copy is not changed.
  TempDir other;
  MappingFiles files{other.File("cfg/default.cfg"), env.Files().autofire};
  WriteTestFile(files.default_cfg, users);
  for (const char* key : {"X", "Y"}) {
    SetBindingKey(later, 6, key);
    ASSERT_TRUE(WriteInputMapping(later, files));
    EXPECT_EQ(ReadTestFile(files.default_cfg + ".korvo-backup"), users);
  }
  DeleteFileAt(files.default_cfg + ".korvo-backup");
  CreateFolder(files.default_cfg + ".korvo-backup");
  SetBindingKey(later, 6, "F9");
  EXPECT_FALSE(WriteInputMapping(later, files) || ReadTestFile(files.default_cfg).find("KEYCODE_F9") != std::string::npos);
}

TEST(GameCfgInputs, RemovesOnlyTheLauncherInputsOfARealGameFile) {
  ControlsEnv env;
  App().settings.mapping_overrides_game_cfg = 1;
  const std::string with_inputs = ReadTestFile(SourcePath("tests/fixtures/cfg/pong_with_inputs.cfg"));
  const std::string dip_only = ReadTestFile(SourcePath("tests/fixtures/cfg/pong_dip_only.cfg"));
  const std::string path = env.dir.File("cfg/pong.cfg");
  WriteTestFile(path, with_inputs);
  StripGameCfgInputs("pong");
  std::string expected = with_inputs;
  size_t start = expected.find("            <port tag=\":IN0\" type=\"COIN1\"");
  ASSERT_NE(start, std::string::npos);
  expected.erase(start, expected.find("</port>\n", start) + 8 - start);
  EXPECT_EQ(ReadTestFile(path), expected);
  EXPECT_EQ(ReadTestFile(path + ".korvo-backup"), with_inputs);

  // A file with nothing to take out is not touched and gets no backup.
  const std::string dip_path = env.dir.File("cfg/breakout.cfg");
  WriteTestFile(dip_path, dip_only);
  StripGameCfgInputs("breakout");
  EXPECT_EQ(ReadTestFile(dip_path), dip_only);
  EXPECT_FALSE(TestFileExists(dip_path + ".korvo-backup"));
  // A launcher port without a sequence, and other ports with sequences, stay.
  const std::string kept = "<port tag=\":IN1\" type=\"P1_BUTTON1\" mask=\"1\" defvalue=\"0\" value=\"1\"></port>\r\n"
                           "<port tag=\":IN1\" type=\"P3_BUTTON1\"><newseq type=\"standard\">KEYCODE_A</newseq></port>\r\n"
                           "<port tag=\":IN1\" type=\"START1\">";
  std::string text = kept;
  EXPECT_FALSE(StripGameCfgText(text));
  EXPECT_EQ(text, kept);
  // Setting off, or a name that would leave the cfg folder: nothing happens.
  for (auto [setting, name, file] : {std::tuple{0, "pong", path}, {1, "../pong", env.dir.File("pong.cfg")}}) {
    WriteTestFile(file, with_inputs);
    App().settings.mapping_overrides_game_cfg = setting;
    StripGameCfgInputs(name);
    EXPECT_EQ(ReadTestFile(file), with_inputs) << name;
  }
}
