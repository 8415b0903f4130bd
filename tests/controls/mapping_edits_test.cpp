// Edits of the mapping, the default pad codes, display texts and the profile text.
#include <gtest/gtest.h>

#include <tuple>

#include "controls/autofire.h"
#include "controls/binding_migration.h"
#include "controls/controls_tab.h"
#include "controls/key_names.h"
#include "controls/pad_codes.h"
#include "controls_test_env.h"

namespace {
std::string Joined(const std::vector<std::string>& codes) {
  std::string out;
  for (const std::string& c : codes) out += (out.empty() ? "" : ",") + c;
  return out;
}
}  // namespace

TEST(MappingEdits, PadCodesReplaceOnlyTheirOwnKindAndDefaultsAndTextsFollowTheProbe) {
  ControlsEnv env;
  InputMapping m;
  SetBindingPad(m, 0, "1_YAXIS_UP_SWITCH");  // absent before: defaults first, then the edit
  EXPECT_EQ(Described(m, 0) + " " + Joined(PadCodeList(m, 0)), "W|1_YAXIS_UP_SWITCH|JOYCODE_1_HAT1UP 1_YAXIS_UP_SWITCH,1_HAT1UP");
  SetBindingPad(m, 0, "2_HAT1UP"), SetBindingPad(m, 4, "1_BUTTON2");
  EXPECT_EQ(Joined(PadCodeList(m, 0)) + " " + Joined(PadCodeList(m, 4)), "2_HAT1UP,1_YAXIS_UP_SWITCH 1_BUTTON2");
  // Combinations and key alternatives in extra survive pad edits; clearing the pad removes every code.
  m.bindings[4].extra = "KEYCODE_LSHIFT KEYCODE_A OR JOYCODE_1_BUTTON9";
  SetBindingPad(m, 4, "1_BUTTON5");
  EXPECT_EQ(m.bindings[4].extra, "KEYCODE_LSHIFT KEYCODE_A");
  ClearBinding(m, 0, BindingPart::Pad);
  EXPECT_TRUE(PadCodeList(m, 0).empty());
  ClearBinding(m, 0, BindingPart::Key), SetAutofire(m, 0, true);  // autofire: not a button
  auto cells = [&](int i) { return BindingCellTexts(m, i).keyboard + "|" + BindingCellTexts(m, i).pad; };
  EXPECT_TRUE(cells(0) + " " + cells(24) == "-|- F2|MAME default" && m.dirty && !HasAutofire(m, 0));
  InputMapping cleared;  // clearing one part of an action not yet mapped keeps the other part's defaults, and is saved
  ClearBinding(cleared, 5, BindingPart::Key);
  EXPECT_TRUE(cleared.dirty && cleared.bindings[5].key.empty() &&
              Joined(PadCodeList(cleared, 5)) == Joined(DefaultPadCodes(5)));

  auto codes = [](std::initializer_list<std::pair<int, const char*>> cases) {
    for (auto [action, codes] : cases) EXPECT_EQ(Joined(DefaultPadCodes(action)), codes) << action;
  };
  auto texts = [](std::initializer_list<std::pair<const char*, const char*>> cases) {
    for (auto [code, text] : cases) EXPECT_EQ(PadCodeText(code), text);
  };
  codes({{9, "1_SLIDER2_NEG_SWITCH"}, {14, "2_BUTTON3"}, {21, "2_START"}, {24, ""}});
  texts({{"1_BUTTON3", "Pad 1 X"}, {"1_BUTTON12", "Pad 1 Button 12"}, {"2_YAXIS_UP_SWITCH", "Pad 2 Stick Up"},
         {"1_SELECT", "Pad 1 Back / Select"}, {"3_RZAXIS_NEG_SWITCH", "Pad 3 RZAXIS_NEG_SWITCH"}, {"BUTTON3", "BUTTON3"},
         {"_1", "_1"}, {"", "-"}});
  for (auto [key, label] : {std::pair{"4PAD", "Num 4"}, {"TILDE", "` ~"}, {"NOSUCH", "NOSUCH"}, {"", "-"}})
    EXPECT_EQ(KeyLabel(key), label);

  // XInput behind a plain stick: player 1 is joystick 2 (RT rests low: pulled towards POS), player 2 joystick 1.
  SetCurrentPadProbe(ParsePadProbe("D|0|Generic USB Joystick\nI|0|Button 1|BUTTON1|0\nI|0|Z|ZAXIS|0\n"
                                   "D|1|XInput Player 1\nI|1|A|BUTTON1|0\nI|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|0\n"
                                   "I|1|RT|RZAXIS|-32768\nI|1|LT|ZAXIS|0\nI|1|D-pad Up|HAT1UP|0\nEND\n"));
  codes({{0, "2_HAT1UP,2_YAXIS_UP_SWITCH"}, {9, "2_RZAXIS_POS_SWITCH"}, {20, "2_START"}, {23, "1_BUTTON7"},
         {10, "1_HAT1UP,1_YAXIS_UP_SWITCH"}, {19, "1_ZAXIS_NEG_SWITCH"}});
  EXPECT_EQ(TriggerCode(2, TriggerSide::Left), "2_ZAXIS_NEG_SWITCH");
  // Only the _NEG_/_POS_ forms and buttons ask the probe for their names.
  texts({{"2_RZAXIS_POS_SWITCH", "Pad 2 RT"}, {"2_BUTTON5", "Pad 2 LB"}, {"2_HAT1UP_SWITCH", "Pad 2 HAT1UP_SWITCH"}});
  InputMapping defaults = LauncherDefaults();
  for (int i = 10; i < 20; ++i)
    for (const std::string& code : PadCodeList(defaults, i)) EXPECT_EQ(code.rfind("1_", 0), 0u) << code;
  defaults.dirty = false;
  EXPECT_FALSE(MigrateBindings(defaults));  // the migration agrees with the defaults
  // A plain stick alone: buttons 7 and 8 for coin and start, the Z axis for the trigger.
  SetCurrentPadProbe(ParsePadProbe("D|0|Generic USB Joystick\nI|0|Button 1|BUTTON1|0\nEND\n"));
  codes({{22, "1_BUTTON7"}, {20, "1_BUTTON8"}, {9, "1_ZAXIS_NEG_SWITCH"}});
}

TEST(MappingText, ProfileTextAutofireWhileTheCombosPluginRunsAndTheControlsTabCells) {
  ControlsEnv env;
  InputMapping profile = LauncherDefaults();  // the profile text round-trips and reads only well-formed lines
  SetAutofire(profile, 16, true);
  profile.bindings[24] = ActionBinding{};  // absent: no line
  std::string text = SerializeMapping(profile);
  EXPECT_TRUE(text.find("SERVICE") == std::string::npos && text.find("bind=P2_BUTTON3\tO\t2_BUTTON6\t\t1\n") != std::string::npos);
  InputMapping back = FromText(text), edited = FromText(Utf16WithMark(text, true));  // saved again by another editor
  EXPECT_TRUE(back.dirty && SerializeMapping(back) == text && SerializeMapping(edited) == text);

  ApplyMappingText(back,
                   "# comment\r\nbind=P1_BUTTON1\tA\t\t\t1\r\nbind=P1_JOYSTICK_UP\tA\t\t\t1\nbind=P1_BUTTON2\tB\t\t\n"
                   "bind=P1_BUTTON3\tC\t\nbind=NOPE\tA\t\t\t1\nbind=P1_BUTTON4\t" + std::string(46, 'K') + "\xC3\xA9" +
                       std::string(40, 'K') + "\t\t\t1");
  for (auto [i, binding] : {std::pair{4, "A|||af"}, {0, "A||"}, {5, "B||"}, {6, "-"}, {20, "-"}})
    EXPECT_EQ(Described(back, i), binding) << i;
  EXPECT_EQ(back.bindings[7].key, std::string(46, 'K'));  // too long: cut before the character the limit splits

  InputMapping& m = TheInputMapping();
  SetBindingKey(m, 4, "LCONTROL");
  SetAutofire(m, 4, true);
  const std::string none_port = "<port type=\"P1_BUTTON1\">\n                <newseq type=\"standard\">\n                    NONE\n",
                    real = "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON3", autofire_file = env.dir.File("korvo-autofire.cfg");
  auto cfg_has = [&](const std::string& part) { return ReadTestFile(env.CfgPath()).find(part) != std::string::npos; };
  ASSERT_TRUE(WriteInputMapping());  // OK of the options: MAME started without the plugin finds a working button
  EXPECT_TRUE(cfg_has(real) && ReadTestFile(autofire_file) == "P1_BUTTON1\tLCONTROL\t1_BUTTON3\t\n");
  ASSERT_TRUE(ApplyAutofireTakeover(true));  // a start with the combos plugin: NONE while it runs...
  LoadInputMapping();
  EXPECT_TRUE(cfg_has(none_port) && Described(m, 4) == "LCONTROL|1_BUTTON3||af");
  SetBindingKey(m, 5, "Z");  // ...and the real sequence once MAME has ended; unsaved edits stay unsaved
  ASSERT_TRUE(RestoreAutofireAtRest());
  TextBuffer rows_for_a_start;  // the mapping is read once: a start does not read the unsaved edit away
  BuildAutofireRows(rows_for_a_start);
  EXPECT_TRUE(cfg_has(real) && !cfg_has("NONE") && !cfg_has("KEYCODE_Z") && m.dirty && m.bindings[5].key == "Z");
  LoadInputMapping();
  // NONE left behind by a launcher killed while MAME ran: a start without the plugin repairs it too.
  ASSERT_TRUE(ApplyAutofireTakeover(true) && ApplyAutofireTakeover(false));
  EXPECT_TRUE(cfg_has(real) && !m.autofire_taken_over);
  // Reading that back keeps the autofire mark, also after another editor saved the file.
  WriteTestFile(autofire_file, "\xEF\xBB\xBFP1_BUTTON1\tLCONTROL\t1_BUTTON3\t\r");
  LoadInputMapping();
  EXPECT_EQ(Described(m, 4), "LCONTROL|1_BUTTON3||af");
  ASSERT_TRUE(ApplyAutofireTakeover(true));  // a hand-edited key that would break MAME's tags is not taken back
  WriteTestFile(autofire_file, "P1_BUTTON1\tL</newseq>\t1_BUTTON3\t\n");
  LoadInputMapping();
  EXPECT_EQ(Described(m, 4), "|1_BUTTON3||af");
  SetAutofire(m, 4, false);  // turning autofire off empties the existing file
  ASSERT_TRUE(WriteInputMapping());
  EXPECT_EQ(ReadTestFile(autofire_file), "");

  InputMapping rows;  // the plugin's rows: player, bit and a quote-safe trigger; none for a button with nothing to press
  ApplyMappingText(rows, "bind=P2_BUTTON3\tO\t2_BUTTON6\t\t1\nbind=P1_BUTTON2\tit's\\\t1_BUTTON4\t\t1\nbind=P1_BUTTON3\t\t\t\t1\n");
  TextBuffer out = "x\n";
  EXPECT_EQ(BuildAutofireRows(rows, out), 2);
  EXPECT_EQ(out, "x\n{player=1,bit=5,trig='KEYCODE_it s  OR JOYCODE_1_BUTTON4'},\n"
                 "{player=2,bit=6,trig='KEYCODE_O OR JOYCODE_2_BUTTON6'},\n");

  std::string asked, marked;  // autofire asked for on every action stays only on the twelve buttons
  for (int i = 0; i < kActionCount; ++i) asked += "bind=" + std::string(ActionAt(i).port) + "\tA\t\t\t1\n";
  const InputMapping every = FromText(asked);
  for (int i = 0; i < kActionCount; ++i) marked += every.bindings[i].autofire ? 'A' : '.';
  EXPECT_EQ(marked, "....AAAAAA....AAAAAA.....");

  constexpr int kP1Up = 0, kP1Button1 = 4, kP2Button6 = 19, kP1Start = 20;
  // Clicks change only the autofire cell of a button; double clicks on the key and pad cells set them.
  for (auto [action, column, twice, command] : std::initializer_list<std::tuple<int, int, bool, RowCommand>>{
           {kP1Start, kAutofireColumn, true, RowCommand::None}, {kP2Button6, kAutofireColumn, true, RowCommand::ToggleAutofire},
           {kP1Button1, kPadColumn, false, RowCommand::None}, {kP1Up, kKeyboardColumn, true, RowCommand::SetKey},
           {kP1Up, kPadColumn, true, RowCommand::SetPad}})  // single clicks and the Action cell: the Controls tab's test
    EXPECT_EQ(CellClickCommand(action, column, twice), command) << action << " " << column << " " << twice;

  InputMapping cells;  // the right-click menu: what the column offers first, the autofire mark
  auto labels = [&](int action, int column) {
    std::string out;
    for (const RowMenuEntry& e : RowMenuEntries(cells, action, column))
      out += (e.command == RowCommand::None ? "-" : e.label) + (e.checked ? "*|" : "|");
    return out;
  };
  SetAutofire(cells, kP1Button1, true);
  EXPECT_EQ(labels(kP1Up, kPadColumn) + labels(kP1Button1, kKeyboardColumn) + AutofireCellText(cells, kP1Button1),
            "Set Pad\u2026|-|Clear Pad|Autofire*|-|Set Key\u2026|-|Clear Key|[x]");
}

