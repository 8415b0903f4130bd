// The Combos tab under Wine, on a "KorvoPage" in a host window that routes
// commands, notifications and the capture message as the main window does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/options_area_ui_win.h"
#include "app/options_pages_ui_win.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "combos/combo_rows.h"
#include "combos/combos_editor.h"
#include "combos/combos_tab_ui_win.h"
#include "combos/sequence_pad.h"
#include "options_page_driver_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"
#include "win_test_support.h"

namespace {
std::vector<WPARAM> capture_requests;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (message == WM_COMMAND && LOWORD(wparam) >= 700 && LOWORD(wparam) <= 749)
    CombosTabCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
  else if (message == WM_NOTIFY && CombosTabNotify(reinterpret_cast<NMHDR*>(lparam), &result))
    return result;
  else if (message == kComboTriggerMessage)
    capture_requests.push_back(wparam), CaptureComboTrigger(window, LOWORD(wparam), HIWORD(wparam));
  else
    return DefWindowProcW(window, message, wparam, lparam);
  return 0;
}

std::string Read(const std::string& path) { return ReadWholeFile(path).value_or(""); }

struct CombosHost {
  WinTempDir dir;
  HWND host = nullptr, page = nullptr;

  explicit CombosHost(int page_height = 860) {
    SetLauncherFolder(dir.path());
    App().settings_path = dir.File("korvo-settings.cfg");
    ResetSettings(App().settings);
    Combos() = CombosState{};
    capture_requests.clear();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    InitUiMetrics(instance);
    SetUiDpi(96);
    RegisterModalDialogClass(instance);
    RegisterOptionsClasses(instance);
    WNDCLASSW wc = {0, HostProc, 0, 0, instance, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE), nullptr,
                    L"KorvoCombosTestHost"};
    RegisterClassW(&wc);
    host = CreateWindowExW(0, wc.lpszClassName, L"Combos", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600,
                           page_height + 40, nullptr, nullptr, instance, nullptr);
    Options().main = host;
    SetPageMessageHook(CombosPageMessage);
    SetCombosMessageTarget(host);
    page = CreateWindowExW(WS_EX_CONTROLPARENT, L"KorvoPage", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           580, page_height, host, nullptr, instance, nullptr);
    CreateCombosPage(page);
    ShowWindow(host, SW_SHOW);
    PumpMessagesFor(100);
  }
  ~CombosHost() {
    DestroyWindow(host);
    SetPageMessageHook(nullptr);
    SetCombosTabHooks({});
    SetCombosMessageTarget(nullptr);
    Options() = OptionsArea{};
    Combos() = CombosState{};
    PumpMessagesFor(50);
  }

  HWND Item(int id) const { return GetDlgItem(page, id); }
  void Command(int id, int code = BN_CLICKED) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  void Choose(int id, const std::string& text) {
    SendMessageW(Item(id), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
    EXPECT_EQ(Chosen(id), text);
    Command(id, CBN_SELCHANGE);
  }
  std::string Chosen(int id) const {
    const int at = ComboSelection(Item(id));
    return at < 0 ? "" : ComboEntries(Item(id))[static_cast<size_t>(at)];
  }
  std::string Text(int id) const { return ControlText(Item(id)); }
  std::string Box() const { return Text(kIdComboSequence); }
  // Typed key by key, as a person types.
  void Type(const std::string& text) {
    SetFocus(Item(kIdComboSequence));
    for (char c : text) SendMessageW(Item(kIdComboSequence), WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  // The pad's buttons clicked in turn.
  void Pad(std::initializer_list<const char*> tokens) {
    auto buttons = SequencePadButtons();
    for (const char* token : tokens)
      for (size_t i = 0; i < buttons.size(); ++i)
        if (std::string(buttons[i].token) == token)
          SendMessageW(Item(kIdComboPadFirst + static_cast<int>(i)), BM_CLICK, 0, 0);
  }
  void SelectRow(int row) {
    ListView_SetItemState(Item(kIdComboList), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  int SelectedRow() const { return ListView_GetNextItem(Item(kIdComboList), -1, LVNI_SELECTED); }
  std::string Cell(int row, int column) const { return ListRow(Item(kIdComboList), row)[static_cast<size_t>(column)]; }
  // A mouse notification of the list on the middle of a cell.
  void Mouse(UINT code, int row, int column) {
    HWND list = Item(kIdComboList);
    RECT cell;
    ListView_GetSubItemRect(list, row, column, LVIR_BOUNDS, &cell);
    NMITEMACTIVATE activate = {{list, static_cast<UINT_PTR>(kIdComboList), code}, row, column};
    activate.ptAction = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    SendMessageW(page, WM_NOTIFY, kIdComboList, reinterpret_cast<LPARAM>(&activate));
  }
};

}  // namespace

TEST(CombosTab, RowsFromTheTabReachThePluginAndPlayInMame) {
  CombosHost f;
  CopyInto(TestBuildFolder() + "\\korvo.exe", f.dir.File("korvo.exe"));
  CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", f.dir.File("mame.exe"));
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("roms")).c_str(), nullptr);
  for (const char* zip : {"sfex2.zip", "coh3002c.zip"}) WriteFileAtomic(f.dir.File("roms\\") + zip, "PK\5\6");

  // Load Character: Guile's moves, most important first; the digit keys stay.
  f.Choose(kIdComboLoadCharacter, "Guile");
  EXPECT_EQ(f.SelectedRow(), 0);
  EXPECT_EQ(f.Chosen(kIdComboLoadCharacter) + f.Chosen(kIdComboCharacter), "Guile");
  EXPECT_EQ(f.Cell(10, kComboColumnName).rfind("Guile: ", 0), 0u);
  EXPECT_EQ(f.Cell(11, kComboColumnName) + f.Cell(8, kComboColumnKeyboard), "9");
  // A move for row 3, and row 4 typed in words.
  f.SelectRow(2);
  f.Choose(kIdComboMove, "[Special] Sonic Boom   (Hold DL (charge), R + HP)");
  EXPECT_EQ(f.Box() + " | " + f.Text(kIdComboHint), "Hold DL (charge), R + HP | CHARGE B,F + P");
  EXPECT_EQ(f.Cell(2, kComboColumnSequence), "Hold DL (charge), R + HP");
  f.SelectRow(3);
  SetWindowTextW(f.Item(kIdComboSequence), L"");
  f.Type("qcf + hp");
  EXPECT_EQ(f.Box() + f.Text(kIdComboHint) + f.Chosen(kIdComboMove), "qcf + hp");
  EXPECT_EQ(f.Cell(3, kComboColumnName), "Custom");

  // Row 4's key: a click on its Keyboard cell, F7 pressed in the capture dialog.
  {
    DialogDriver driver([&](HWND, const SeenBox& box) {
      if (box.title != "Set Keyboard Key") return false;
      SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        keybd_event(VK_F7, 0, 0, 0);
        SetTimer(nullptr, 0, 250, [](HWND, UINT, UINT_PTR timer, DWORD) {
          KillTimer(nullptr, timer), keybd_event(VK_F7, 0, KEYEVENTF_KEYUP, 0);
        });
      });
      return true;
    });
    f.Mouse(NM_CLICK, 3, kComboColumnKeyboard);
    PumpMessagesFor(1500);
  }
  EXPECT_EQ(capture_requests, std::vector<WPARAM>{3 | (kComboTriggerKey << 16)});

  // The Step box; OK writes the file.
  SetWindowTextW(f.Item(kIdComboStep), L"45");
  ApplyOptions();
  const std::string file = Read(f.dir.File("korvo-combos.cfg"));
  for (const char* lines : {"step_ms=45\r\n", "combo3_name=Guile: Sonic Boom\r\ncombo3_kind=Special\r\ncombo3_seq=1*C 6+HP\r\n",
                            "combo4_name=Custom\r\ncombo4_kind=Custom\r\ncombo4_seq=236+HP\r\ncombo4_player=1\r\n"
                            "combo4_side=L\r\ncombo4_key=F7\r\n"})
    EXPECT_NE(file.find(lines), std::string::npos) << lines;

  // korvo.exe --game writes the plugin from that file.
  WriteFileAtomic(f.dir.File("korvo-settings.cfg"), "logs=1\r\n");
  HANDLE korvo = StartProgram(f.dir.File("korvo.exe"), "--game sfex2");
  ASSERT_NE(korvo, nullptr);
  EXPECT_EQ(WaitExit(korvo, 60000), 0);
  CloseHandle(korvo);
  const std::string plugin_folder = f.dir.File("korvo-plugins\\korvo-combos-plugin");
  const std::string init = Read(plugin_folder + "\\korvo_combos\\init.lua");
  EXPECT_NE(init.find("local STEP_MS = 45\n"), std::string::npos) << init;
  EXPECT_NE(init.find("{player=1,trig='KEYCODE_3',steps={{6,600},{72,0},}},\n"), std::string::npos) << init;
  const std::string row4 = "{player=1,trig='KEYCODE_F7',steps={{2,0},{10,0},{72,0},}},\n";
  ASSERT_NE(init.find(row4), std::string::npos) << init;

  // The same plugin in the real MAME: row 4's trigger also fires while a
  // key nobody presses is up, so the combo plays at once.
  const std::string unix_dir = UnixPath(f.dir.path());
  if (unix_dir.empty()) GTEST_SKIP() << "the Linux MAME is not reachable from here";
  std::string lua = init;
  lua.replace(lua.find(row4), row4.size(),
              "{player=1,trig='KEYCODE_F7 OR NOT KEYCODE_F11',steps={{2,0},{10,0},{72,0},}},\n");
  const size_t log_line = lua.find("local LOGPATH = [=[");
  lua.replace(log_line, lua.find('\n', log_line) - log_line, "local LOGPATH = [=[" + unix_dir + "/mame-combos.log]=]");
  WriteFileAtomic(plugin_folder + "\\korvo_combos\\init.lua", lua);
  ASSERT_TRUE(StartRealMame(f.dir.path(), "breakout -plugins -pluginspath \"/usr/share/games/mame/plugins;" +
                                             UnixPath(plugin_folder) + "\" -plugin korvo_combos -seconds_to_run 2"));
  // MAME writes the game's cfg file as it ends.
  for (int waited = 0; waited < 1200 && !FileExists(f.dir.File("cfg\\breakout.cfg")); ++waited) Sleep(100);
  ASSERT_TRUE(FileExists(f.dir.File("cfg\\breakout.cfg"))) << "MAME did not run to its end";
  const std::string log = Read(f.dir.File("mame-combos.log"));
  auto has = [&log](const char* line) { return log.find(line) != std::string::npos; };
  EXPECT_TRUE(log.rfind("plugin started\n", 0) == 0 && has("combo 4 started\n") && has("combo done\n") &&
              !has("combo 3 started") && !has("error:"))
      << log;
}

TEST(CombosTab, PadListAndBoxesEditTheRowsAsShown) {
  CombosHost f;
  // No row chosen: the pad takes the first row with an empty sequence (row 13).
  f.Pad({"Hold", "DL", ",", "R", "HP"});
  EXPECT_EQ(f.SelectedRow(), 12);
  EXPECT_EQ(f.Box() + " | " + f.Cell(12, kComboColumnSequence), "Hold DL, R + HP | Hold DL (charge), R + HP");
  EXPECT_EQ(Combos().rows[12].seq, "1*C 6+HP");

  // A row clicked, then the pad: it goes on from the end of the row's readable form.
  RECT cell;
  ListView_GetSubItemRect(f.Item(kIdComboList), 3, 0, LVIR_BOUNDS, &cell);
  const LPARAM at = MAKELPARAM(cell.left + 8, (cell.top + cell.bottom) / 2);
  PostMessageW(f.Item(kIdComboList), WM_LBUTTONUP, 0, at);
  SendMessageW(f.Item(kIdComboList), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PumpMessagesFor(50);
  EXPECT_EQ(f.SelectedRow(), 3);  // Ryu's Hadou Ken
  f.Pad({"HP"});
  EXPECT_EQ(f.Box(), "QCF (D, DR, R) + HP, HP");
  f.Pad({"Del", "Del"});
  EXPECT_EQ(f.Box() + " | " + Combos().rows[3].seq, "QCF (D, DR, R) | 2 3 6");
  // So it does after a move is chosen, and with the caret inside a word or a selection across a parenthesis.
  f.Choose(kIdComboMove, "[Special] Shouryuu Ken (Rising Dragon Fist)   (DP (R, D, DR) + HP)");
  f.Pad({"Del"});
  EXPECT_EQ(f.Box(), "DP (R, D, DR)");
  for (auto [row, from, to, token] : {std::tuple{3, 1, 1, "HP"}, {5, 5, 17, "LK"}, {5, 8, 8, "Del"}}) {
    f.SelectRow(row);
    SendMessageW(f.Item(kIdComboSequence), EM_SETSEL, from, to);
    f.Pad({token});
    EXPECT_EQ(Combos().rows[row].seq, SequenceFromTyped(f.Box(), Combos().rows[row].side)) << f.Box();
  }
  // The box takes 399 characters; leaving Step shows the value in force.
  f.SelectRow(19);
  f.Type(std::string(400, 'L'));
  EXPECT_EQ(f.Box().size(), 399u);
  SetWindowTextW(f.Item(kIdComboStep), L"15");
  f.Command(kIdComboStep, EN_KILLFOCUS);
  EXPECT_EQ(f.Text(kIdComboStep), "30");

  // A double-click on a name renames the row; on another cell it does not.
  {
    DialogDriver driver([](HWND dialog, const SeenBox& box) {
      return box.title == "Rename Combo" && SetDlgItemTextW(dialog, 1001, L"  My Fireball  ") &&
             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    f.Mouse(NM_DBLCLK, 3, kComboColumnName);
    f.Mouse(NM_DBLCLK, 3, kComboColumnSequence);
    EXPECT_EQ(driver.Seen().size(), 1u);
  }
  EXPECT_EQ(f.Cell(3, kComboColumnName), "My Fireball");
  // Right-click on a Pad cell, "Clear": only the pad trigger goes. The menu
  // is answered from its own loop by keys.
  Combos().rows[1].pad = "1_BUTTON1";
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (BYTE key : {VK_DOWN, VK_DOWN, VK_RETURN}) keybd_event(key, 0, 0, 0), keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  });
  SetForegroundWindow(f.host);
  f.Mouse(NM_RCLICK, 1, kComboColumnPad);
  EXPECT_EQ(f.SelectedRow(), 1);
  EXPECT_EQ(Combos().rows[1].pad + Combos().rows[1].key, "2");
  // A click on a Pad cell asks for a pad capture of that row, even when another row holds the same trigger.
  {
    DialogDriver driver;
    f.Mouse(NM_CLICK, 6, kComboColumnPad);
    PumpMessagesFor(300);
  }
  EXPECT_EQ(capture_requests, std::vector<WPARAM>{6 | (kComboTriggerPad << 16)});

  // Defaults: No keeps everything, Yes restores Ryu and the digit keys.
  SetWindowTextW(f.Item(kIdComboCharge), L"900");
  for (int answer : {IDNO, IDYES}) {
    DialogDriver driver(Say("Combo Defaults", answer));
    f.Command(kIdComboDefaults);
    EXPECT_EQ(Combos().rows[3].name, answer == IDNO ? "My Fireball" : "Ryu: Hadou Ken (Surge Fist)");
  }
  EXPECT_EQ(f.Text(kIdComboCharge), "600");
  EXPECT_EQ(f.SelectedRow(), -1);
  // Cancel drops what was not saved.
  SaveCombos();
  f.SelectRow(0);
  f.Command(kIdComboClearSlot);
  CancelCombosPage();
  EXPECT_EQ(f.Cell(0, kComboColumnSequence), "DQCF (D, DR, R, D, DR, R) + LK + MK + HK");
}

TEST(CombosTab, ScreenshotsInBothLooks) {
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    CombosHost f(900);
    f.SelectRow(3);
    PumpMessagesFor(200);
    EXPECT_TRUE(SaveWindowScreenshot(f.host, dark ? "combos_tab_dark" : "combos_tab_light"));
  }
  ApplyTheme(false);
}
