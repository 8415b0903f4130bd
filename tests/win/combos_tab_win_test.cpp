// The Combos tab: rows reach korvo-combos.cfg, korvo.exe --game's plugin and the real MAME; the pad, the mouse, Defaults.
#include <gtest/gtest.h>

#include "combos/combos_editor.h"
#include "combos/combos_tab_ui_win.h"
#include "combos/sequence_pad.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"

namespace {
HWND Item(int id) { return GetDlgItem(Options().pages[kTabCombos], id); }
void Command(int id, int code = BN_CLICKED) {
  if (code == BN_CLICKED) {  // a button pressed: it must be there to press
    EXPECT_TRUE(IsWindowVisible(Item(id)) && IsWindowEnabled(Item(id))) << id;
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    return;
  }
  SendMessageW(Options().pages[kTabCombos], WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}
std::string Chosen(int id) { return ChosenEntry(Item(id)); }
void Choose(int id, const std::string& text) {
  SendMessageW(Item(id), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
  EXPECT_EQ(Chosen(id), text);
  Command(id, CBN_SELCHANGE);
}
std::string Box() { return ControlText(Item(kIdComboSequence)); }
void Pad(std::initializer_list<const char*> tokens) {
  for (const char* token : tokens)
    for (size_t i = 0; i < SequencePadButtons().size(); ++i)
      if (std::string(SequencePadButtons()[i].token) == token)
        SendMessageW(Item(kIdComboPadFirst + static_cast<int>(i)), BM_CLICK, 0, 0);
}
void SelectRow(int row) { SelectListRow(Item(kIdComboList), row); }
int SelectedRow() { return SelectedListRow(Item(kIdComboList)); }
std::string Cell(int row, int column) { return ListRow(Item(kIdComboList), row)[static_cast<size_t>(column)]; }
void Mouse(UINT code, int row, int column) { NotifyCellMouse(Item(kIdComboList), code, row, column); }
// Whether one of the launcher's tooltip windows explains the control when the pointer rests on it.
bool HasTip(HWND control) {
  std::pair<HWND, bool> ask = {control, false};
  EnumThreadWindows(GetCurrentThreadId(), [](HWND tips, LPARAM asked) {
    auto& [control, found] = *reinterpret_cast<std::pair<HWND, bool>*>(asked);
    wchar_t name[32] = L"", text[4096] = L"";
    TTTOOLINFOW tool = {TTTOOLINFOW_V2_SIZE, TTF_IDISHWND, GetParent(control), reinterpret_cast<UINT_PTR>(control)};
    tool.lpszText = text;
    if (GetClassNameW(tips, name, 32) && !lstrcmpiW(name, TOOLTIPS_CLASSW))
      found = found || (SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) && text[0]);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&ask));
  return ask.second;
}
}  // namespace

TEST(CombosTab, RowsFromTheTabReachThePluginAndMameAndThePadEditsThemAsShown) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  f.Command(119);
  for (int id = kIdComboHowItWorks; id <= kIdComboPadLast; ++id)  // each field and button explains itself
    EXPECT_TRUE(!Item(id) || id == kIdComboClearSlot || id == kIdComboHint || HasTip(Item(id))) << id;
  // Typed with no row chosen, the keys go on into the first free row in their order.
  ClickAt(Item(kIdComboSequence), {5, 5});
  for (WORD key : {'2', '3', '6'}) PressKeys({key}), PumpMessagesFor(50);
  EXPECT_EQ(Box(), "236");
  // Load Character: Guile's moves, most important first; the digit keys stay.
  Choose(kIdComboLoadCharacter, "Guile");
  EXPECT_EQ(Chosen(kIdComboLoadCharacter) + Chosen(kIdComboCharacter) + Cell(11, kComboColumnName), "Guile");
  EXPECT_EQ(std::to_string(Cell(10, kComboColumnName).rfind("Guile: ", 0)) + Cell(8, kComboColumnKeyboard), "09");
  // A move for row 3; row 4 typed key by key.
  SelectRow(2);
  Choose(kIdComboMove, "[Special] Sonic Boom   (Hold DL (charge), R + HP)");
  EXPECT_EQ(Box() + " | " + ControlText(Item(kIdComboHint)) + " | " + Cell(2, kComboColumnSequence),
            "Hold DL (charge), R + HP | CHARGE B,F + P | Hold DL (charge), R + HP");
  Choose(kIdComboPlaysFor, "Player 2");
  Choose(kIdComboPlayerSide, "Right");
  EXPECT_EQ(Cell(2, kComboColumnSequence), Box()) << "the row's sequence as its new side reads it";
  SelectRow(3);
  SetWindowTextW(Item(kIdComboSequence), L"");
  SetFocus(Item(kIdComboSequence));
  for (char c : std::string("qcf + hp")) SendMessageW(Item(kIdComboSequence), WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(Box() + ControlText(Item(kIdComboHint)) + Chosen(kIdComboMove) + "|" + Cell(3, kComboColumnName) + "|" +
                Chosen(kIdComboPlaysFor), "qcf + hp|Custom|Player 1");
  // Pasted in: a tab shows as the space the row keeps; more steps than a combo holds are cut, and the status says so.
  std::wstring pasted = L"\t+ lp";
  SendMessageW(Item(kIdComboSequence), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
  const std::string too_long = "The sequence is longer than a combo can hold: its last steps are left out";
  EXPECT_TRUE(Box() == "qcf + hp + lp" && f.StatusText() != too_long) << Box();
  for (int i = 0; i < 80; ++i) pasted += L", lp";
  SendMessageW(Item(kIdComboSequence), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
  EXPECT_EQ(f.StatusText(), too_long);
  SetWindowTextW(Item(kIdComboSequence), L"qcf + hp");
  // Row 4's key: a click on its Keyboard cell, F7 pressed in the capture dialog.
  {
    KeyHeldForDialog f7(VK_F7);
    Mouse(NM_CLICK, 3, kComboColumnKeyboard);
    WaitFor([&] { return f7.Pressed() && !FindModal("Set Keyboard Key"); });
  }
  SetWindowTextW(Item(kIdComboStep), L"45");
  f.Command(109);
  const std::string file = f.Read("korvo-combos.cfg");
  for (const char* lines : {"step_ms=45\r\n",
                            "combo3_name=Guile: Sonic Boom\r\ncombo3_kind=Special\r\ncombo3_seq=1*C 6+HP\r\ncombo3_player=2\r\ncombo3_side=R\r\n",
                            "combo4_name=Custom\r\ncombo4_kind=Custom\r\ncombo4_seq=236+HP\r\ncombo4_player=1\r\n"
                            "combo4_side=L\r\ncombo4_key=F7\r\n"})
    EXPECT_NE(file.find(lines), std::string::npos) << lines;
  // korvo.exe --game writes the plugin from that file.
  CopyInto(TestBuildFolder() + "\\korvo.exe", f.dir.File("korvo.exe"));
  f.Write("korvo-settings.cfg", "logs=1\r\n");
  EXPECT_EQ(RunProgram(f.dir.File("korvo.exe"), "--game sfex2"), 0);
  const std::string plugin_folder = f.dir.File("korvo-plugins\\korvo-combos-plugin");
  const std::string init = f.Read("korvo-plugins\\korvo-combos-plugin\\korvo_combos\\init.lua");
  EXPECT_NE(init.find("local STEP_MS = 45\n"), std::string::npos) << init;
  EXPECT_NE(init.find("{player=2,trig='KEYCODE_3',steps={{10,600},{68,0},}},\n"), std::string::npos) << init;
  const std::string row4 = "{player=1,trig='KEYCODE_F7',steps={{2,0},{10,0},{72,0},}},\n";
  EXPECT_NE(init.find(row4), std::string::npos) << init;

  // Back on the tab, Defaults: No keeps everything, Yes restores Ryu and the digit keys.
  f.Command(119);
  SetWindowTextW(Item(kIdComboCharge), L"900");
  for (int answer : {IDNO, IDYES}) {
    DialogDriver driver(Say("Combo Defaults", answer));
    Command(kIdComboDefaults);
    EXPECT_EQ(Combos().rows[3].name, answer == IDNO ? "Custom" : "Ryu: Hadou Ken (Surge Fist)");
  }
  EXPECT_EQ(ControlText(Item(kIdComboCharge)) + Cell(3, kComboColumnKeyboard) + std::to_string(SelectedRow()), "6004-1");
  f.Command(109);
  f.Command(119);
  // No row chosen: the pad takes the first row with an empty sequence (row 13).
  Pad({"Hold", "DL", ",", "R", "HP"});
  EXPECT_EQ(SelectedRow(), 12);
  EXPECT_EQ(Box() + " | " + Cell(12, kComboColumnSequence) + " | " + Combos().rows[12].seq,
            "Hold DL, R + HP | Hold DL (charge), R + HP | 1*C 6+HP");
  // A row clicked, then the pad: it goes on from the end of the row's readable form.
  const RECT cell = CellRect(Item(kIdComboList), 3, 0);
  ClickAt(Item(kIdComboList), {cell.left + 8, MiddleOf(cell).y});
  PumpMessagesFor(50);
  ASSERT_EQ(SelectedRow(), 3);  // Ryu's Hadou Ken
  Pad({"HP"});
  EXPECT_EQ(Box(), "QCF (D, DR, R) + HP, HP");
  EXPECT_EQ(GetFocus(), Item(kIdComboSequence));  // the keyboard goes on in the box, not on the pad's button
  // So after a move is chosen; with the caret in a word or a selection across a parenthesis, box and row agree.
  Choose(kIdComboMove, "[Special] Shouryuu Ken (Rising Dragon Fist)   (DP (R, D, DR) + HP)");
  Pad({"Del"});
  EXPECT_EQ(Box(), "DP (R, D, DR)");
  for (auto [row, from, to, token] : {std::tuple{3, 1, 1, "HP"}, {5, 5, 17, "LK"}, {5, 8, 8, "Del"}}) {
    SelectRow(row);
    SendMessageW(Item(kIdComboSequence), EM_SETSEL, from, to);
    Pad({token});
    EXPECT_EQ(Combos().rows[row].seq, SequenceFromTyped(Box(), Combos().rows[row].side)) << Box();
  }
  // A double-click on a name renames the row; on another cell it does not.
  {
    DialogDriver driver([](HWND dialog, const SeenBox& box) {
      return box.title == "Rename Combo" && SetDlgItemTextW(dialog, 1001, L"  My Fireball  ") &&
             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Mouse(NM_DBLCLK, 3, kComboColumnName);
    Mouse(NM_DBLCLK, 3, kComboColumnSequence);
    EXPECT_EQ(driver.Seen().size(), 1u);
  }
  EXPECT_EQ(Cell(3, kComboColumnName), "My Fireball");
  // Right-click on a Pad cell, "Clear" (by keys, in the menu's own loop): only the pad trigger goes, nothing is asked.
  DialogDriver driver;
  Combos().rows[1].pad = "1_BUTTON1";
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (BYTE key : {VK_DOWN, VK_DOWN, VK_RETURN}) keybd_event(key, 0, 0, 0), keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  });
  SetForegroundWindow(Options().window);
  Mouse(NM_RCLICK, 1, kComboColumnPad);
  EXPECT_EQ(std::to_string(SelectedRow()) + Combos().rows[1].pad + Combos().rows[1].key, "12");
  // Clear Slot empties the chosen row; How Combos Work and Legend explain.
  Command(kIdComboClearSlot);
  EXPECT_EQ(Cell(1, kComboColumnName) + Cell(1, kComboColumnSequence) + Combos().rows[1].seq + Combos().rows[1].key, "");
  Command(kIdComboHowItWorks), Command(kIdComboLegend);
  // A click on a Pad cell asks for a pad capture, even when another row holds the same trigger.
  Mouse(NM_CLICK, 6, kComboColumnPad);
  PumpMessagesFor(300);
  EXPECT_EQ(driver.Titles(), "\"How Combos Work\" \"Legend\" \"Set Pad Button\" ");
  // Cancel drops what OK did not take.
  f.Command(110);
  EXPECT_EQ(Cell(3, kComboColumnName) + " | " + Cell(0, kComboColumnSequence),
            "Ryu: Hadou Ken (Surge Fist) | DQCF (D, DR, R, D, DR, R) + LK + MK + HK");

  // The plugin in the real MAME: row 4's trigger also fires while a key nobody presses is up: it plays at once.
  const std::string unix_dir = UnixPath(f.dir.path());
  if (unix_dir.empty()) GTEST_SKIP() << "the Linux MAME is not reachable from here";
  std::string lua = init;
  lua.replace(lua.find(row4), row4.size(), "{player=1,trig='KEYCODE_F7 OR NOT KEYCODE_F11',steps={{2,0},{10,0},{72,0},}},\n");
  const size_t log_line = lua.find("local LOGPATH = [=[");
  lua.replace(log_line, lua.find('\n', log_line) - log_line, "local LOGPATH = [=[" + unix_dir + "/mame-combos.log]=]");
  f.Write("korvo-plugins\\korvo-combos-plugin\\korvo_combos\\init.lua", lua);
  ASSERT_TRUE(StartRealMame(f.dir.path(), "breakout -plugins -pluginspath \"/usr/share/games/mame/plugins;" +
                                             UnixPath(plugin_folder) + "\" -plugin korvo_combos -seconds_to_run 2"));
  // MAME writes the game's cfg file as it ends.
  for (int waited = 0; waited < 1200 && !FileExists(f.dir.File("cfg\\breakout.cfg")); ++waited) Sleep(100);
  ASSERT_TRUE(FileExists(f.dir.File("cfg\\breakout.cfg"))) << "MAME did not run to its end";
  const std::string log = f.Read("mame-combos.log");
  auto has = [&log](const char* line) { return log.find(line) != std::string::npos; };
  EXPECT_TRUE(log.rfind("plugin started\n", 0) == 0 && has("combo 4 started\n") && has("combo done\n") &&
              !has("combo 3 started") && !has("error:"))
      << log;
}
