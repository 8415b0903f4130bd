#include <gtest/gtest.h>

#include "options/dip_cfg.h"
#include "options/dip_switch_rows.h"
#include "support/test_support.h"

namespace {
DipSwitch Switch(const char* tag, uint32_t mask, uint32_t default_value, std::vector<DipValue> values) {
  return DipSwitch{"Switch", tag, mask, default_value, std::move(values)};
}
DipChoice Choice(const char* tag, uint32_t mask, uint32_t def, uint32_t value) { return {tag, mask, def, value}; }

const char* kPortLine = "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"0\" />\n";
const char* kSwitch2 = "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"0\" />\r\n";
const char* kSwitch8 = "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"8\" defvalue=\"8\" value=\"0\" />\r\n";
// A cfg as MAME writes it: the player's mappings, two DIP ports, a counter.
const std::string kGameCfg =
    std::string("<?xml version=\"1.0\"?>\r\n<mameconfig version=\"10\">\r\n    <system name=\"sfex2\">\r\n        <input>\r\n"
                "            <port tag=\":IN0\" type=\"P1_BUTTON1\" mask=\"16\" defvalue=\"16\">\r\n"
                "                <newseq type=\"standard\">KEYCODE_Z</newseq>\r\n            </port>\r\n") +
    kSwitch2 + kSwitch8 +
    "        </input>\r\n        <counters>\r\n            <coins index=\"0\" number=\"3\" />\r\n        </counters>\r\n"
    "    </system>\r\n</mameconfig>\r\n";

std::string Without(std::string text, const std::string& part) {
  size_t at = text.find(part);
  EXPECT_NE(at, std::string::npos) << part;
  if (at != std::string::npos) text.erase(at, part.size());
  return text;
}
}  // namespace

TEST(DipCfgRead, CurrentValueComesFromTheFirstMatchingPort) {
  DipSwitch service = Switch(":DSW", 2, 2, {{"Off", 2}, {"On", 0}});
  EXPECT_TRUE(CurrentDipValue("", service) == 2u && CurrentDipValue(kGameCfg, service) == 0u);
  // Tags match with or without the colon; masks must be equal.
  EXPECT_TRUE(CurrentDipValue(kGameCfg, Switch("DSW", 2, 2, {})) == 0u &&
              CurrentDipValue(kGameCfg, Switch(":DSW", 4, 4, {})) == 4u &&
              CurrentDipValue(kGameCfg, Switch(":DSW2", 2, 2, {})) == 2u);  // another bank, the same mask
  // A damaged value reads as the default; of a switch held twice the first port counts.
  EXPECT_EQ(CurrentDipValue("<port tag=\"DSW\" type=\"DIPSWITCH\" mask=\"2\" value=\"x\" />", service), 2u);
  EXPECT_EQ(CurrentDipValue("<port tag=\"DSW\" type=\"DIPSWITCH\" mask=\"2\" value=\"0\" />"
                            "<port tag=\"DSW\" type=\"DIPSWITCH\" mask=\"2\" value=\"2\" />", service), 0u);
}

TEST(DipCfgWrite, OnlyTheSwitchesPortsChangeAndMissingElementsAreAdded) {
  EXPECT_EQ(ApplyDipChoices("", "sfex2p", {Choice("DSW", 2, 2, 2), Choice("DSW", 8, 8, 8)}), "");
  std::vector<DipChoice> changed = {Choice("DSW", 2, 2, 0), Choice("DSW", 8, 8, 8)};
  EXPECT_EQ(ApplyDipChoices("", "sfex2p", changed),
            std::string("<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"sfex2p\">\n"
                        "        <input>\n") +
                kPortLine + "        </input>\n    </system>\n</mameconfig>\n");
  // Something that is no MAME configuration is replaced the same way.
  EXPECT_EQ(ApplyDipChoices("not xml at all", "sfex2p", changed), ApplyDipChoices("", "sfex2p", changed));

  // Back to the default: the port line goes, every other byte stays.
  std::string text = ApplyDipChoices(kGameCfg, "sfex2", {Choice(":DSW", 2, 2, 2)});
  EXPECT_EQ(text, Without(kGameCfg, kSwitch2));
  // A new value replaces the port (with the colon, before </input>'s blanks), one back at its default loses it.
  text = ApplyDipChoices(kGameCfg, "sfex2", {Choice("DSW", 8, 8, 8), Choice("DSW", 2, 2, 0)});
  std::string expected = Without(Without(kGameCfg, kSwitch2), kSwitch8);
  expected.insert(expected.find("        </input>"), kPortLine);
  EXPECT_EQ(text, expected);

  // Another system only: a new system element before </mameconfig>. The system without <input>: one before </system>.
  const std::string head = "<mameconfig version=\"10\">\n    <system name=\"", end = "    </system>\n</mameconfig>\n";
  const std::string input = std::string("        <input>\n") + kPortLine + "        </input>\n" + end;
  EXPECT_EQ(ApplyDipChoices(head + "other\">\n" + end, "sfex2", changed),
            head + "other\">\n    </system>\n    <system name=\"sfex2\">\n" + input);
  EXPECT_EQ(ApplyDipChoices(head + "sfex2\">\n" + end, "sfex2", changed), head + "sfex2\">\n    " + input);
}

TEST(DipCfgWrite, DamagedDocumentsAndSwitchesHeldTwice) {
  std::vector<DipChoice> changed = {Choice("DSW", 2, 2, 0)};
  const std::string old_port = "  <port tag=\"DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"1\" />\n";
  for (std::string cut : {"<mameconfig version=\"10\">\n<system name=\"sfex2\">\n<input>\n" + old_port,
                          "<mameconfig version=\"10\">\n<system name=\"sfex2\">\n" + old_port,
                          "<mameconfig version=\"10\">\n" + old_port + "<system name=\"x\">"})
    EXPECT_EQ(ApplyDipChoices(cut, "sfex2", changed), Without(cut, old_port)) << cut;
  // An unclosed port is left with what follows it: never cut up to another port's end.
  std::string broken =
      "<mameconfig>\n<system name=\"sfex2\">\n<input>\n<port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\">\n"
      "<port tag=\":IN0\" type=\"P1_BUTTON1\" mask=\"1\"><newseq>KEYCODE_Z</newseq></port>\n</input>\n</system>\n</mameconfig>\n";
  std::string text = ApplyDipChoices(broken, "sfex2", changed);
  EXPECT_NE(text.find("<newseq>KEYCODE_Z</newseq></port>"), std::string::npos);
  EXPECT_NE(text.find("type=\"DIPSWITCH\" mask=\"2\">\n"), std::string::npos);

  std::string twice =
      "<mameconfig version=\"10\">\n<system name=\"sfex2\">\n<input>\n"
      "\t<port tag=\"DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"0\" />\n"
      "\t<port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"2\"></port>\n"
      "</input>\n</system>\n</mameconfig>\n";
  const std::string once = "<mameconfig version=\"10\">\n<system name=\"sfex2\">\n<input>\n" + std::string(kPortLine);
  EXPECT_EQ(ApplyDipChoices(twice, "sfex2", changed), once + "</input>\n</system>\n</mameconfig>\n");

  // A stray "<" joined by a removal into another port of the switch goes too, or it would hide the user's choice.
  std::string spliced = "x <  <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" value=\"2\" />"
                        "port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" value=\"2\" />\n";
  std::string removed = ApplyDipChoices(spliced, "sfex2", {Choice("DSW", 2, 2, 2)});
  EXPECT_TRUE(removed == "x" && ApplyDipChoices(removed, "sfex2", {Choice("DSW", 2, 2, 2)}) == removed) << removed;
}

TEST(DipCfgFile, WritesOnlyChangesAndKeepsOneBackup) {
  TempDir dir;
  const std::string cfg = dir.File("cfg");
  std::string text = "stale";
  ASSERT_TRUE(ReadGameCfg(cfg, "sfex2", text) && text.empty());  // missing file: empty text

  EXPECT_TRUE(SaveDipChoices(cfg, "sfex2", {Choice("DSW", 2, 2, 2)}) && !TestFileExists(cfg));  // not even the folder

  ASSERT_TRUE(SaveDipChoices(cfg, "sfex2", {Choice("DSW", 2, 2, 0)}));
  EXPECT_TRUE(ReadTestFile(cfg + "/sfex2.cfg").find(kPortLine) != std::string::npos &&
              !TestFileExists(cfg + "/sfex2.cfg.korvo-backup"));  // there was nothing to keep

  WriteTestFile(cfg + "/sfex2.cfg", kGameCfg);
  ASSERT_TRUE(SaveDipChoices(cfg, "sfex2", {Choice("DSW", 8, 8, 8)}));
  ASSERT_TRUE(SaveDipChoices(cfg, "sfex2", {Choice("DSW", 2, 2, 2)}));
  EXPECT_EQ(ReadTestFile(cfg + "/sfex2.cfg.korvo-backup"), kGameCfg);  // made by the first save, and kept
  EXPECT_EQ(ReadTestFile(cfg + "/sfex2.cfg").find("DIPSWITCH"), std::string::npos);

  EXPECT_FALSE(SaveDipChoices(cfg, "../evil", {Choice("DSW", 2, 2, 0)}));
}

// A row shows the current value (else the first); a cfg changed meanwhile keeps MAME's values of the unmoved switches.
TEST(DipRows, RowsMarkTheDefaultFitTheWindowAndAChangedFileKeepsWhatTheUserDidNotMove) {
  const DipSwitch service = Switch(":DSW", 2, 2, {{"Off", 2}, {"On", 0}});
  const DipSwitch lives = Switch(":DSW", 12, 8, {{"1", 0}, {"2", 4}, {"3", 8}});
  EXPECT_EQ(DipListEntries(lives), (std::vector<std::string>{"1", "2", "3 (default)"}));
  EXPECT_TRUE(DipSelectedEntry(lives, 4) == 1 && DipSelectedEntry(lives, 99) == 0);
  EXPECT_EQ(DipHeaderText("Street Fighter EX2"), "Street Fighter EX2\nThe DIP switches of the game as MAME keeps them "
                                                 "(the game's own cfg file). The game must not be running.");
  EXPECT_EQ(DipRowsThatFit(40, DipWindowHeight(40, 600)), 14u);
  auto saved = [&](std::vector<DipSwitch> switches, const std::vector<int>& selected, bool file_changed) {
    std::string out;
    for (const DipChoice& c : DipChoicesToSave(switches, {0, 2}, selected, file_changed))
      out += c.tag + "/" + std::to_string(c.mask) + "=" + std::to_string(c.value) + " ";
    return out;
  };
  // Opened at Off and 3 lives; the user moved the lives to 1.
  EXPECT_EQ(saved({service, lives}, {0, 0}, false), ":DSW/2=2 :DSW/12=0 ");
  EXPECT_EQ(saved({service, lives}, {0, 0}, true), ":DSW/12=0 ");
  EXPECT_EQ(saved({service, lives, Switch("X", 2, 0, {})}, {5, -1, 0}, false), "");  // no such entry, none chosen
}

// MAME rewrites the game's cfg on exit from what it loaded: every chosen switch and every other setting must come back.
TEST(DipSwitchesInRealMame, MameKeepsTheChosenValuesAndEverythingElse) {
  if (!TestFileExists(kRealMame)) GTEST_SKIP() << "no MAME installed";
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

  ASSERT_TRUE(RunRealMame(dir.path(), "breakout -noreadconfig -video none -sound none -seconds_to_run 1"));

  const std::string saved = ReadTestFile(cfg + "/breakout.cfg");
  for (size_t i = 0; i < info.switches.size(); ++i)
    EXPECT_EQ(CurrentDipValue(saved, info.switches[i]), choices[i].value) << info.switches[i].name << "\n" << saved;
  for (const char* kept : {"KEYCODE_5 OR KEYCODE_C", "KEYCODE_Z", "type=\"P1_BUTTON1\"",
                           "<port tag=\":fixfreq:ENABLE\" type=\"CONFIG\" mask=\"1\" defvalue=\"0\" value=\"1\" />",
                           "<coins index=\"0\" number=\"7\" />"})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept << "\n" << saved;
}
