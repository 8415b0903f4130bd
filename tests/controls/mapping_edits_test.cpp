// Edits of the mapping, the default pad codes, display texts and the profile text.
#include <gtest/gtest.h>

#include "controls/autofire.h"
#include "controls/binding_migration.h"
#include "controls/key_names.h"
#include "controls/pad_codes.h"
#include "controls_test_env.h"

namespace {
// An XInput pad numbered second by MAME, behind a plain stick numbered first.
PadProbe TwoPadProbe() {
  return ParsePadProbe(
      "D|0|Generic USB Joystick\nI|0|Button 1|BUTTON1|0\nI|0|Z|ZAXIS|0\n"
      "D|1|XInput Player 1\nI|1|A|BUTTON1|0\nI|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|0\n"
      "I|1|RT|RZAXIS|-32768\nI|1|LT|ZAXIS|0\nI|1|D-pad Up|HAT1UP|0\nEND\n");
}
}  // namespace

TEST(MappingEdits, DirectionPadCodesReplaceOnlyTheirOwnKind) {
  ControlsEnv env;
  InputMapping m;
  SetBindingPad(m, 0, "1_YAXIS_UP_SWITCH");  // absent before: defaults first, then the edit
  EXPECT_TRUE(m.bindings[0].present);
  EXPECT_EQ(m.bindings[0].key, "W");
  EXPECT_EQ(PadCodeList(m, 0), (std::vector<std::string>{"1_YAXIS_UP_SWITCH", "1_HAT1UP"}));
  SetBindingPad(m, 0, "2_HAT1UP");
  EXPECT_EQ(PadCodeList(m, 0), (std::vector<std::string>{"2_HAT1UP", "1_YAXIS_UP_SWITCH"}));
  SetBindingPad(m, 4, "1_BUTTON2");
  EXPECT_EQ(PadCodeList(m, 4), (std::vector<std::string>{"1_BUTTON2"}));

  // Combinations and key alternatives in extra survive pad edits; clearing the pad removes every code.
  m.bindings[4].extra = "KEYCODE_LSHIFT KEYCODE_A OR JOYCODE_1_BUTTON9";
  SetBindingPad(m, 4, "1_BUTTON5");
  EXPECT_EQ(m.bindings[4].extra, "KEYCODE_LSHIFT KEYCODE_A");
  ClearBinding(m, 0, BindingPart::Pad);
  EXPECT_TRUE(PadCodeList(m, 0).empty());
  ClearBinding(m, 0, BindingPart::Key);
  EXPECT_EQ(BindingCellTexts(m, 0).keyboard, "-");
  EXPECT_EQ(BindingCellTexts(m, 0).pad, "-");
  EXPECT_EQ(BindingCellTexts(m, 24).pad, "MAME default");
  EXPECT_EQ(BindingCellTexts(m, 24).keyboard, "F2");
  EXPECT_TRUE(m.dirty);

  SetAutofire(m, 0, true);  // not a button
  EXPECT_FALSE(HasAutofire(m, 0));
}

TEST(MappingEdits, DefaultPadCodesFollowTheProbe) {
  ControlsEnv env;
  EXPECT_EQ(DefaultPadCodes(9), (std::vector<std::string>{"1_SLIDER2_NEG_SWITCH"}));
  EXPECT_EQ(DefaultPadCodes(14), (std::vector<std::string>{"2_BUTTON3"}));
  EXPECT_EQ(DefaultPadCodes(21), (std::vector<std::string>{"2_START"}));
  EXPECT_TRUE(DefaultPadCodes(24).empty());

  SetCurrentPadProbe(TwoPadProbe());
  // Player 1 is MAME's joystick 2; its right trigger rests low, so it is pulled towards POS.
  EXPECT_EQ(DefaultPadCodes(0), (std::vector<std::string>{"2_HAT1UP", "2_YAXIS_UP_SWITCH"}));
  EXPECT_EQ(DefaultPadCodes(9), (std::vector<std::string>{"2_RZAXIS_POS_SWITCH"}));
  EXPECT_EQ(TriggerCode(2, TriggerSide::Left), "2_ZAXIS_NEG_SWITCH");
  EXPECT_EQ(DefaultPadCodes(20), (std::vector<std::string>{"2_START"}));
  // Player 2 has no second XInput pad, and joystick 2 is player 1's: it gets
  // joystick 1, so one pad never drives both players.
  EXPECT_EQ(DefaultPadCodes(23), (std::vector<std::string>{"1_BUTTON7"}));
  EXPECT_EQ(DefaultPadCodes(10), (std::vector<std::string>{"1_HAT1UP", "1_YAXIS_UP_SWITCH"}));
  EXPECT_EQ(DefaultPadCodes(19), (std::vector<std::string>{"1_ZAXIS_NEG_SWITCH"}));
  InputMapping m;
  ResetToLauncherDefaults(m);
  for (int i = 10; i < 20; ++i)
    for (const std::string& code : PadCodeList(m, i)) EXPECT_EQ(code.rfind("1_", 0), 0u) << code;
  m.dirty = false;
  EXPECT_FALSE(MigrateBindings(m));  // the migration agrees with the defaults

  // A plain stick alone: buttons 7 and 8 for coin and start, the Z axis for the trigger.
  SetCurrentPadProbe(ParsePadProbe("D|0|Generic USB Joystick\nI|0|Button 1|BUTTON1|0\nEND\n"));
  EXPECT_EQ(DefaultPadCodes(22), (std::vector<std::string>{"1_BUTTON7"}));
  EXPECT_EQ(DefaultPadCodes(20), (std::vector<std::string>{"1_BUTTON8"}));
  EXPECT_EQ(DefaultPadCodes(9), (std::vector<std::string>{"1_ZAXIS_NEG_SWITCH"}));
}

TEST(DisplayTexts, KeysAndPadCodes) {
  ControlsEnv env;
  EXPECT_EQ(KeyNameTable().size(), 102u);
  EXPECT_EQ(KeyNameTable()[36].name, "F1");
  EXPECT_EQ(KeyLabel("4PAD"), "Num 4");
  EXPECT_EQ(KeyLabel("TILDE"), "` ~");
  EXPECT_EQ(KeyLabel("NOSUCH"), "NOSUCH");
  EXPECT_EQ(KeyLabel(""), "-");

  EXPECT_EQ(PadCodeText("1_BUTTON3"), "Pad 1 X");
  EXPECT_EQ(PadCodeText("1_BUTTON12"), "Pad 1 Button 12");
  EXPECT_EQ(PadCodeText("2_YAXIS_UP_SWITCH"), "Pad 2 Stick Up");
  EXPECT_EQ(PadCodeText("1_SELECT"), "Pad 1 Back / Select");
  EXPECT_EQ(PadCodeText("3_RZAXIS_NEG_SWITCH"), "Pad 3 RZAXIS_NEG_SWITCH");
  EXPECT_EQ(PadCodeText("BUTTON3"), "BUTTON3");
  EXPECT_EQ(PadCodeText("_1"), "_1");
  EXPECT_EQ(PadCodeText(""), "-");

  SetCurrentPadProbe(TwoPadProbe());
  EXPECT_EQ(PadCodeText("2_RZAXIS_POS_SWITCH"), "Pad 2 RT");
  EXPECT_EQ(PadCodeText("2_BUTTON5"), "Pad 2 LB");
  EXPECT_EQ(PadCodeText("2_HAT1UP_SWITCH"), "Pad 2 HAT1UP_SWITCH");  // only _NEG_/_POS_ forms ask the probe
}

TEST(ProfileText, RoundTripsAndReadsOnlyWellFormedLines) {
  ControlsEnv env;
  InputMapping m;
  ResetToLauncherDefaults(m);
  SetAutofire(m, 16, true);
  m.bindings[24] = ActionBinding{};  // absent: no line
  std::string text = SerializeMapping(m);
  EXPECT_EQ(text.find("SERVICE"), std::string::npos);
  EXPECT_NE(text.find("bind=P2_BUTTON3\tO\t2_BUTTON6\t\t1\n"), std::string::npos);

  InputMapping back;
  ApplyMappingText(back, text);
  EXPECT_TRUE(back.dirty);
  EXPECT_EQ(SerializeMapping(back), text);
  ApplyMappingText(back, Utf16WithMark(text, true));  // saved again by another editor
  EXPECT_EQ(SerializeMapping(back), text);

  ApplyMappingText(back,
                   "# comment\r\nbind=P1_BUTTON1\tA\t\t\t1\r\nbind=P1_JOYSTICK_UP\tA\t\t\t1\nbind=P1_BUTTON2\tB\t\t\n"
                   "bind=P1_BUTTON3\tC\t\nbind=NOPE\tA\t\t\t1\nbind=P1_BUTTON4\t" + std::string(80, 'K') + "\t\t\t1");
  EXPECT_TRUE(HasAutofire(back, 4));
  EXPECT_EQ(back.bindings[4].key, "A");
  EXPECT_FALSE(back.bindings[0].autofire);
  EXPECT_TRUE(back.bindings[5].present);
  EXPECT_FALSE(back.bindings[5].autofire);
  EXPECT_FALSE(back.bindings[6].present);
  EXPECT_EQ(back.bindings[7].key.size(), kKeyMax);
  EXPECT_FALSE(back.bindings[20].present);
}

TEST(Autofire, NoneOnlyWhileTheCombosPluginRunsAndTheRealSequenceAtRest) {
  ControlsEnv env;
  InputMapping& m = TheInputMapping();
  SetBindingKey(m, 4, "LCONTROL");
  SetAutofire(m, 4, true);
  const std::string none_port =
      "<port type=\"P1_BUTTON1\">\n                <newseq type=\"standard\">\n                    NONE\n";
  const std::string real = "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON3";
  // OK of the options: MAME started without the plugin finds a working button.
  ASSERT_TRUE(WriteInputMapping());
  EXPECT_NE(ReadTestFile(env.CfgPath()).find(real), std::string::npos);
  EXPECT_EQ(ReadTestFile(env.dir.File("korvo-autofire.cfg")), "P1_BUTTON1\tLCONTROL\t1_BUTTON3\t\n");

  // A start with the combos plugin: NONE while it runs...
  ASSERT_TRUE(ApplyAutofireTakeover(true));
  EXPECT_NE(ReadTestFile(env.CfgPath()).find(none_port), std::string::npos);
  LoadInputMapping();
  EXPECT_TRUE(HasAutofire(m, 4));
  EXPECT_EQ(m.bindings[4].key, "LCONTROL");
  EXPECT_EQ(m.bindings[4].pad, "1_BUTTON3");

  // ...and the real sequence once MAME has ended; unsaved edits stay unsaved.
  SetBindingKey(m, 5, "Z");
  ASSERT_TRUE(RestoreAutofireAtRest());
  std::string cfg = ReadTestFile(env.CfgPath());
  EXPECT_NE(cfg.find(real), std::string::npos);
  EXPECT_EQ(cfg.find("NONE"), std::string::npos);
  EXPECT_EQ(cfg.find("KEYCODE_Z"), std::string::npos);
  EXPECT_TRUE(m.dirty);
  LoadInputMapping();

  // A launcher killed while MAME ran left NONE behind: the next start repairs it,
  // and a start without the plugin gets the real sequence too.
  ASSERT_TRUE(ApplyAutofireTakeover(true));
  ASSERT_TRUE(RestoreAutofireAtRest());
  EXPECT_NE(ReadTestFile(env.CfgPath()).find(real), std::string::npos);
  ASSERT_TRUE(ApplyAutofireTakeover(true));
  ASSERT_TRUE(ApplyAutofireTakeover(false));
  EXPECT_NE(ReadTestFile(env.CfgPath()).find(real), std::string::npos);
  EXPECT_FALSE(m.autofire_taken_over);
  // Nothing to repair: the file is not written again.
  const std::string before = ReadTestFile(env.CfgPath());
  WriteTestFile(env.CfgPath(), before + "<!-- mark -->");
  ASSERT_TRUE(RestoreAutofireAtRest());
  EXPECT_EQ(ReadTestFile(env.CfgPath()), before + "<!-- mark -->");
  WriteTestFile(env.CfgPath(), before);

  // Reading that back keeps the autofire mark: default.cfg holds what the file
  // says, also after another editor saved it.
  WriteTestFile(env.dir.File("korvo-autofire.cfg"), "\xEF\xBB\xBFP1_BUTTON1\tLCONTROL\t1_BUTTON3\t\r");
  LoadInputMapping();
  EXPECT_TRUE(HasAutofire(m, 4));
  EXPECT_EQ(m.bindings[4].key, "LCONTROL");

  // The file does not resurrect a sequence over a button that default.cfg binds otherwise.
  SetAutofire(m, 4, false);
  SetBindingKey(m, 4, "Q");
  ASSERT_TRUE(WriteInputMapping());
  WriteTestFile(env.dir.File("korvo-autofire.cfg"), "P1_BUTTON1\tLCONTROL\t1_BUTTON3\t\n");
  LoadInputMapping();
  EXPECT_FALSE(HasAutofire(m, 4));
  EXPECT_EQ(m.bindings[4].key, "Q");

  // Turning autofire off empties the existing file.
  SetAutofire(m, 4, false);
  ASSERT_TRUE(WriteInputMapping());
  EXPECT_EQ(ReadTestFile(env.dir.File("korvo-autofire.cfg")), "");
}

TEST(Autofire, RowsCarryPlayerBitAndAQuoteSafeTrigger) {
  ControlsEnv env;
  InputMapping m;
  SetBindingKey(m, 16, "O");
  SetBindingPad(m, 16, "2_BUTTON6");
  SetAutofire(m, 16, true);
  SetBindingKey(m, 5, "it's\\");
  SetAutofire(m, 5, true);
  SetAutofire(m, 6, true);
  ClearBinding(m, 6, BindingPart::Key);
  ClearBinding(m, 6, BindingPart::Pad);  // nothing to press: no row
  TextBuffer out = "x\n";
  EXPECT_EQ(BuildAutofireRows(m, out), 2);
  EXPECT_EQ(out, "x\n{player=1,bit=5,trig='KEYCODE_it s  OR JOYCODE_1_BUTTON4'},\n"
                 "{player=2,bit=6,trig='KEYCODE_O OR JOYCODE_2_BUTTON6'},\n");
}
