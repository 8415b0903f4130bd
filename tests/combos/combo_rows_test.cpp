#include "combos/combo_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "settings/app_state.h"
#include "base/paths.h"
#include "combos/combos_plugin.h"
#include "support/test_support.h"

namespace {

CombosState Fresh() {
  CombosState s;
  ResetCombos(s);
  return s;
}

TEST(ResetCombos, RyuWithDigitKeysAndCharacterMovesMostImportantFirst) {
  CombosState s = Fresh();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(s.rows[i].key, i < 9 ? std::string(1, char('1' + i)) : "") << i;
  TextBuffer text = FormatCombosText(s);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 142) << text;
  EXPECT_EQ(text.rfind("step_ms=30\r\ncharge_ms=600\r\ncombo1_name=Ryu: Shin Shouryuu Ken", 0), 0u);
  EXPECT_NE(text.find("\r\ncombo1_player=1\r\ncombo1_side=L\r\n"), std::string::npos);

  // A short list empties the rest but keeps their triggers, a special without a motion (Lariat) after those with one.
  s.rows[19].pad = "1_BUTTON1", s.rows[19].player = 2;
  LoadCharacterMoves(s, "Darun Mister");  // 12 moves
  EXPECT_TRUE(s.rows[0].kind == "Meteor" && s.rows[8].name == "Darun Mister: Lariat" && s.rows[11].kind == "Throw");
  EXPECT_TRUE(s.rows[12].seq.empty() && s.rows[12].name.empty() && s.rows[12].kind.empty() && s.rows[8].key == "9");
  EXPECT_TRUE(s.rows[19].pad == "1_BUTTON1" && s.rows[19].player == 2);
  LoadCharacterMoves(s, "Nobody");
  EXPECT_EQ(s.rows[0].kind, "Meteor");
}

TEST(ParseCombosText, RangesRowsOddValuesAndTheRoundTrip) {
  CombosState s = Fresh();
  ParseCombosText(s,
                  "step_ms=15\ncharge_ms=99\n"
                  "combo0_name=zero\ncombo21_name=twenty-one\nCOMBO2_SEQ=6+LP\r\n"
                  "combo3_player=3\ncombo4_player=2\ncombo5_side=right\ncombo6_side=Left\n"
                  "no equals sign\n\n=x\ncombo7_key=" +
                      std::string(80, 'k') + "\ncombo99999999999_name=x\ncombo1_name=a=b\n");
  EXPECT_TRUE(s.step_ms == 30 && s.charge_ms == 600 && s.rows[1].seq == "6+LP" && s.rows[0].name == "a=b");
  EXPECT_TRUE(s.rows[2].player == 1 && s.rows[3].player == 2 && s.rows[4].side == 1 && s.rows[5].side == 0);
  EXPECT_EQ(s.rows[6].key.size(), 47u);
  EXPECT_EQ(ParseCombosText(s, "step_ms=16\ncharge_ms=3000\ncombo8name=x\ncombo8_colour=red\n"), 2u);  // lines taken
  EXPECT_TRUE(s.step_ms == 16 && s.charge_ms == 3000);
  ParseCombosText(s, "step_ms=500\nstep_ms=501\n");
  EXPECT_EQ(s.step_ms, 500);
  s = Fresh();  // too short: kept; too long: limited first, then taken; the least taken
  for (auto [step, charge, kept_step, kept_charge] : {std::tuple{15, 99, 30, 600}, {9000, 9000, 500, 3000}, {16, 100, 16, 100}}) {
    TakeComboTimes(s, step, charge);
    EXPECT_TRUE(s.step_ms == kept_step && s.charge_ms == kept_charge) << step;
  }

  s = Fresh();
  s.rows[5].name = CutToField(std::string(158, 'x') + "\xC3\xA9", kComboNameSize);  // the last character does not fit
  EXPECT_EQ(s.rows[5].name, std::string(158, 'x'));
  s.rows[7].pad = "2_BUTTON3", s.rows[7].side = 1, s.rows[7].player = 2, s.step_ms = 45;
  TextBuffer once = FormatCombosText(s);
  CombosState back = Fresh(), edited = Fresh();
  ParseCombosText(back, once);
  ParseCombosText(edited, Utf16WithMark(once, false));  // saved again by Notepad
  EXPECT_TRUE(FormatCombosText(back) == once && FormatCombosText(edited) == once);
}

TEST(CombosFiles, LoadGivesDigitKeysBackAndThePluginIsWrittenOnlyWithSomethingToPlay) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  Combos() = CombosState{}, App().settings = Settings{};
  std::string text;
  for (int n = 1; n <= 20; ++n) text += "combo" + std::to_string(n) + "_key=\n";  // every trigger empty
  WriteTestFile(dir.File("korvo-combos.cfg"), text + "combo1_seq=HP\n");
  LoadCombos();
  EXPECT_TRUE(Combos().loaded && Combos().rows[0].key + "|" + Combos().rows[0].seq + "|" + Combos().rows[9].key == "1|HP|");
  SetCombosTabHooks({[] { TakeComboTimes(Combos(), 45, 900); }, nullptr});  // the tab's Step and Charge boxes
  SaveCombos();
  SetCombosTabHooks({});
  const std::string saved = ReadTestFile(dir.File("korvo-combos.cfg"));
  EXPECT_TRUE(saved == FormatCombosText(Combos()) && saved.starts_with("step_ms=45\r\ncharge_ms=900\r\n")) << saved;
  LoadCharacterMoves("Guile");
  const std::string guile = Combos().rows[0].name;
  ResetCombos();
  EXPECT_EQ(guile + "|" + Combos().rows[0].name,
            "Guile: Sonic Boom Typhoon|Ryu: Shin Shouryuu Ken (True Rising Dragon Fist)");  // supers first

  std::string folder;
  const std::string plugin = dir.File("korvo-plugins/korvo-combos-plugin/korvo_combos/");
  std::filesystem::remove(dir.File("korvo-combos.cfg"));
  Combos() = CombosState{};
  Combos().loaded = true;  // all rows empty, no autofire in the (missing) key mapping
  EXPECT_FALSE(WriteCombosPlugin(folder) || TestFileExists(plugin + "init.lua"));
  Combos().loaded = false;  // first start without the tab: loads the defaults
  App().settings.logs = 1, App().settings.autofire_rate = 3;
  ASSERT_TRUE(WriteCombosPlugin(folder));
  EXPECT_EQ(folder, dir.path() + "\\korvo-plugins\\korvo-combos-plugin");
  std::string init = ReadTestFile(plugin + "init.lua");
  EXPECT_EQ(init.rfind("-- written by Korvo before every start: do not edit\nlocal STEP_MS = 30\n", 0), 0u);
  for (std::string part : {std::string("{player=1,trig='KEYCODE_4',steps={{2,0},{10,0},{72,0},}},\n"),
                           std::string("local AF_HALF_MS = 16\n"),
                           "local LOGPATH = [=[" + dir.path() + "/logs/korvo-combos.log]=]\n"})
    EXPECT_NE(init.find(part), std::string::npos) << part;
  // A plugin that cannot be written (a file where its folder goes) is not reported as written.
  std::filesystem::remove_all(plugin);
  WriteTestFile(dir.File("korvo-plugins/korvo-combos-plugin/korvo_combos"), "");
  EXPECT_FALSE(WriteCombosPlugin(folder));
  SetLauncherFolder("");
  // Autofire speeds 10, 15, 20 and 30 presses a second; anything else is 15.
  for (auto [rate, half] : {std::pair{-1, 33}, {0, 50}, {1, 33}, {2, 25}, {3, 16}, {4, 33}})
    EXPECT_EQ(AutofireHalfPeriodMs(rate), half) << rate;
}

TEST(BuildComboLines, TriggersAndRowsThatCompileToNothing) {
  CombosState s;
  s.rows[0] = {"", "", "6+LP", 2, 0, "A", "1_BUTTON1"};
  s.rows[1] = {"", "", "+", 1, 0, "B", ""};  // compiles to nothing: left out
  s.rows[2] = {"", "", "HP", 1, 0, "", "2_BUTTON3"};
  s.rows[3] = {"", "", "HP", 1, 0, "Q'\\\r\n]=]", ""};
  s.rows[4] = {"", "", "HP", 1, 0, "", ""};  // no trigger
  int count = 0;
  std::string lines = BuildComboLines(s, count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(lines,
            "{player=2,trig='KEYCODE_A OR JOYCODE_1_BUTTON1',steps={{24,0},}},\n"
            "{player=1,trig='JOYCODE_2_BUTTON3',steps={{64,0},}},\n"
            "{player=1,trig='KEYCODE_Q    ]=]',steps={{64,0},}},\n");
}

// The generated plugin frame by frame in a simulated MAME: which inputs the game reads after a trigger.
TEST(CombosPlugin, StepsPressTheRightFieldsForTheirFramesAndReleaseThemAfterwards) {
  CombosState s = Fresh();
  s.rows[0].seq = "236+HP", s.rows[0].key = "4";
  s.rows[1].seq = "LP", s.rows[1].key = "5";  // a single step plays too
  CombosPluginInputs in;
  in.combos = &s;
  in.autofire_rows = "{player=2,bit=5,trig='KEYCODE_Z'},\n";  // player 2's second button, 15 presses a second
  TempDir dir;
  WriteTestFile(dir.File("init.lua"), BuildCombosInitLua(in));
  WriteTestFile(dir.File("scenario.txt"), "frames 20\nhold KEYCODE_Z 1 4\nhold KEYCODE_4 10 10\nhold KEYCODE_5 17 17\n");
  ASSERT_EQ(std::system(("cd '" + dir.path() + "' && lua5.4 '" + SourcePath("tests/lua/mame_sim.lua") +
                         "' init.lua scenario.txt >output.txt 2>&1").c_str()), 0) << ReadTestFile(dir.File("output.txt"));
  // Held on frame 10: the first step for one frame, later steps for two (30 ms at 60 fps); heavy punch has two fields.
  const std::string down = ":IN0 P1 Down", right = ":IN0 P1 Right", hp = ":EXTRA P1 Button 3,:IN0 P1 Button 3",
                    lp = ":IN0 P1 Button 1";
  const std::string pressed[] = {down, down + "," + right, down + "," + right, hp + "," + right, hp + "," + right};
  std::string expected;
  for (int f = 1; f <= 20; ++f)
    expected += "F" + std::to_string(f) + ": " +
                (f <= 2 ? ":IN1 P2 Button 2" : f > 10 && f <= 15 ? pressed[f - 11] : f == 18 ? lp : "") + "\n";
  EXPECT_EQ(ReadTestFile(dir.File("output.txt")), expected);
}

}  // namespace
