// MAME rewrites the game's cfg on exit from what it loaded: every chosen switch and every other setting must come back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "options/dip_cfg.h"
#include "options/dip_switch_rows.h"
#include "support/test_support.h"

namespace {
const char* kMame = "/usr/games/mame";
}

TEST(DipSwitchesInRealMame, MameKeepsTheChosenValuesAndEverythingElse) {
  if (!TestFileExists(kMame)) GTEST_SKIP() << "no MAME installed";
  TempDir dir;
  const std::string cfg = dir.File("cfg");
  // Written by MAME 0.251: button and coin mappings, a configuration setting, a coin counter, the Balls switch at 5.
  const std::string original = ReadTestFile(SourcePath("tests/fixtures/dipswitch/breakout_mame_written.cfg"));
  WriteTestFile(cfg + "/breakout.cfg", original);

  MachineInfo info =
      ParseMachineListing(ReadTestFile(SourcePath("tests/fixtures/mame0251/listxml/breakout.xml")), "breakout");
  ASSERT_EQ(info.switches.size(), 4u);
  std::string text;
  ASSERT_TRUE(ReadGameCfg(cfg, "breakout", text));
  EXPECT_EQ(CurrentDipValue(text, info.switches[0]), 1u);

  // Every switch away from its default: Balls 5, 1 Coin/2 Credits, Upright, 300.
  std::vector<int> selected = {1, 1, 1, 3};
  std::vector<DipChoice> choices = DipChoicesFromRows(info.switches, selected);
  ASSERT_EQ(choices.size(), 4u);
  ASSERT_TRUE(SaveDipChoices(cfg, "breakout", choices));
  EXPECT_EQ(ReadTestFile(cfg + "/breakout.cfg.korvo-backup"), original);

  const std::string home = dir.File("home");
  WriteTestFile(home + "/.keep", "");
  std::string command = "cd '" + dir.path() + "' && HOME='" + home + "' XDG_RUNTIME_DIR='" + home + "' timeout 120 " +
                        kMame + " breakout -noreadconfig -cfg_directory '" + cfg + "' -homepath '" + home +
                        "' -nvram_directory '" + dir.File("nvram") + "' -snapshot_directory '" + dir.File("snap") +
                        "' -video none -sound none -seconds_to_run 1 >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);

  const std::string saved = ReadTestFile(cfg + "/breakout.cfg");
  for (size_t i = 0; i < info.switches.size(); ++i)
    EXPECT_EQ(CurrentDipValue(saved, info.switches[i]), choices[i].value) << info.switches[i].name << "\n" << saved;
  for (const char* kept : {"KEYCODE_5 OR KEYCODE_C", "KEYCODE_Z", "type=\"P1_BUTTON1\"",
                           "<port tag=\":fixfreq:ENABLE\" type=\"CONFIG\" mask=\"1\" defvalue=\"0\" value=\"1\" />",
                           "<coins index=\"0\" number=\"7\" />"})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept << "\n" << saved;
}
