// The Combos tab under Wine, on a "KorvoPage" in a host window that routes
// commands, notifications and the capture message as the main window does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/options_area_ui_win.h"
#include "app/options_pages_ui_win.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combos_editor.h"
#include "combos/combos_tab_ui_win.h"
#include "combos/sequence_pad.h"
#include "dialog_driver_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"
#include "win_test_support.h"

namespace {

std::vector<WPARAM> capture_requests;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) >= 700 && LOWORD(wparam) <= 749)
        CombosTabCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (CombosTabNotify(reinterpret_cast<NMHDR*>(lparam), &result)) return result;
      break;
    }
    case kComboTriggerMessage:
      capture_requests.push_back(wparam);
      CaptureComboTrigger(window, LOWORD(wparam), HIWORD(wparam));
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(Utf8ToUtf16(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(Utf8ToUtf16(path).c_str(), std::ios::binary) << text;
}

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
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"KorvoCombosTestHost";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
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
    HWND box = Item(id);
    LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
    ASSERT_NE(index, CB_ERR) << text;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(id, CBN_SELCHANGE);
  }
  std::string Chosen(int id) const {
    LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return "";
    wchar_t text[600] = L"";
    SendMessageW(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return Utf16ToUtf8(text);
  }
  std::string Text(int id) const { return ControlText(Item(id)); }
  // Typed key by key, as a person types.
  void Type(const std::string& text) {
    HWND box = Item(kIdComboSequence);
    SetFocus(box);
    for (char c : text) SendMessageW(box, WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  void Paste(const std::string& text) {
    SendMessageW(Item(kIdComboSequence), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
  }
  void Caret(int start, int end) { SendMessageW(Item(kIdComboSequence), EM_SETSEL, start, end); }
  // The pad's button clicked.
  void Pad(const char* token) {
    auto buttons = SequencePadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
      if (std::string(buttons[i].token) == token)
        SendMessageW(Item(kIdComboPadFirst + static_cast<int>(i)), BM_CLICK, 0, 0);
  }
  void SelectRow(int row) {
    ListView_SetItemState(Item(kIdComboList), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  // A click on the row's number.
  void ClickRow(int row) {
    HWND list = Item(kIdComboList);
    RECT cell;
    ListView_GetSubItemRect(list, row, 0, LVIR_BOUNDS, &cell);
    const LPARAM at = MAKELPARAM(cell.left + 8, (cell.top + cell.bottom) / 2);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessagesFor(50);
  }
  int SelectedRow() const { return ListView_GetNextItem(Item(kIdComboList), -1, LVNI_SELECTED); }
  std::string Cell(int row, int column) const {
    wchar_t text[600] = L"";
    ListView_GetItemText(Item(kIdComboList), row, column, text, 600);
    return Utf16ToUtf8(text);
  }
  // A mouse notification of the list on the middle of a cell.
  void Mouse(UINT code, int row, int column) {
    HWND list = Item(kIdComboList);
    RECT cell;
    ListView_GetSubItemRect(list, row, column, LVIR_BOUNDS, &cell);
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list;
    activate.hdr.idFrom = kIdComboList;
    activate.hdr.code = code;
    activate.iItem = row;
    activate.iSubItem = column;
    activate.ptAction = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    SendMessageW(page, WM_NOTIFY, kIdComboList, reinterpret_cast<LPARAM>(&activate));
  }
  // The box always holds what the row stores, read back the tab's way.
  void ExpectBoxAndRowAgree(int row) const {
    const ComboRow& r = Combos().rows[row];
    EXPECT_EQ(r.seq, SequenceFromTyped(Text(kIdComboSequence), r.side)) << Text(kIdComboSequence);
  }
};

// Presses a key after the capture dialog has started polling, and lets it go later.
void CALLBACK ReleaseF7(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  keybd_event(VK_F7, 0, KEYEVENTF_KEYUP, 0);
}
void CALLBACK PressF7(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  keybd_event(VK_F7, 0, 0, 0);
  SetTimer(nullptr, 0, 250, ReleaseF7);
}

// Under Wine the Linux MAME can be started like a program of this system.
std::string UnixPath(const std::string& windows_path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!to_unix) return "";
  char* unix_path = to_unix(Utf8ToUtf16(windows_path).c_str());
  if (!unix_path) return "";
  std::string out = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

// Runs a shell command line of the Linux side until it has written
// `done_file`. Its standard handles are NUL (Wine passes real handles on to a
// Linux program), and its process handle cannot be waited on.
bool RunUnixShell(const std::string& script, const std::string& done_file, DWORD ms) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi = {};
  std::wstring command = L"\"Z:\\bin\\sh\" -c \"" + Utf8ToUtf16(script) + L"\"";
  bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(nul);
  if (!started) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (DWORD waited = 0; waited < ms; waited += 100) {
    if (!ReadText(done_file).empty()) return true;
    Sleep(100);
  }
  return false;
}

TEST(CombosTab, RowsFromTheTabReachThePluginAndPlayInMame) {
  CombosHost f;
  CopyInto(TestBuildFolder() + "\\korvo.exe", f.dir.File("korvo.exe"));
  CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", f.dir.File("mame.exe"));
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("roms")).c_str(), nullptr);
  for (const char* zip : {"sfex2.zip", "coh3002c.zip"}) WriteText(f.dir.File("roms\\") + zip, "PK\5\6");

  // Load Character: Guile's moves, most important first; the digit keys stay.
  f.Choose(kIdComboLoadCharacter, "Guile");
  EXPECT_EQ(f.SelectedRow(), 0);
  EXPECT_EQ(f.Chosen(kIdComboLoadCharacter), "");
  EXPECT_EQ(f.Chosen(kIdComboCharacter), "Guile");
  EXPECT_EQ(f.Cell(0, kComboColumnName).rfind("Guile: ", 0), 0u);
  EXPECT_EQ(f.Cell(10, kComboColumnName).rfind("Guile: ", 0), 0u);
  EXPECT_EQ(f.Cell(11, kComboColumnName), "");
  EXPECT_EQ(f.Cell(8, kComboColumnKeyboard), "9");

  // A move for row 3.
  f.SelectRow(2);
  f.Choose(kIdComboMove, "[Special] Sonic Boom   (Hold DL (charge), R + HP)");
  EXPECT_EQ(Combos().rows[2].name, "Guile: Sonic Boom");
  EXPECT_EQ(Combos().rows[2].seq, "1*C 6+HP");
  EXPECT_EQ(f.Text(kIdComboSequence), "Hold DL (charge), R + HP");
  EXPECT_EQ(f.Text(kIdComboHint), "CHARGE B,F + P");
  EXPECT_EQ(f.Cell(2, kComboColumnSequence), "Hold DL (charge), R + HP");

  // Row 4 typed in words.
  f.SelectRow(3);
  SetWindowTextW(f.Item(kIdComboSequence), L"");
  f.Type("qcf + hp");
  EXPECT_EQ(Combos().rows[3].seq, "236+HP");
  EXPECT_EQ(Combos().rows[3].name, "Custom");
  EXPECT_EQ(f.Text(kIdComboSequence), "qcf + hp");
  EXPECT_EQ(f.Text(kIdComboHint), "");
  EXPECT_EQ(f.Chosen(kIdComboMove), "");
  EXPECT_EQ(f.Cell(3, kComboColumnName), "Custom");

  // Row 4's key: a click on its Keyboard cell, a key pressed in the capture dialog.
  bool dialog_seen = false;
  {
    DialogDriver driver([&](HWND, const SeenBox& box) {
      if (box.title != "Set Keyboard Key") return false;
      dialog_seen = true;
      SetTimer(nullptr, 0, 150, PressF7);
      return true;
    });
    f.Mouse(NM_CLICK, 3, kComboColumnKeyboard);
    PumpMessagesFor(1500);
  }
  ASSERT_EQ(capture_requests.size(), 1u);
  EXPECT_EQ(capture_requests[0], static_cast<WPARAM>(3 | (kComboTriggerKey << 16)));
  // Until the capture dialogs replace their stand-in (which cancels at once)
  // the key stays the one row 4 had.
  const std::string key = dialog_seen ? "F7" : "4";
  EXPECT_EQ(Combos().rows[3].key, key);

  // The Step box; OK writes the file.
  SetWindowTextW(f.Item(kIdComboStep), L"45");
  ApplyOptions();
  std::string file = ReadText(f.dir.File("korvo-combos.cfg"));
  EXPECT_NE(file.find("step_ms=45\r\n"), std::string::npos);
  EXPECT_NE(file.find("combo3_name=Guile: Sonic Boom\r\ncombo3_kind=Special\r\ncombo3_seq=1*C 6+HP\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("combo4_name=Custom\r\ncombo4_kind=Custom\r\ncombo4_seq=236+HP\r\ncombo4_player=1\r\n"
                      "combo4_side=L\r\ncombo4_key=" + key + "\r\n"),
            std::string::npos);

  // korvo.exe --game writes the plugin from that file.
  WriteText(f.dir.File("korvo-settings.cfg"), "logs=1\r\n");
  HANDLE korvo = StartProgram(f.dir.File("korvo.exe"), "--game sfex2");
  ASSERT_NE(korvo, nullptr);
  EXPECT_EQ(WaitExit(korvo, 60000), 0);
  CloseHandle(korvo);
  std::string plugin_folder = f.dir.File("korvo-plugins\\korvo-combos-plugin");
  std::string init = ReadText(plugin_folder + "\\korvo_combos\\init.lua");
  EXPECT_NE(init.find("local STEP_MS = 45\n"), std::string::npos);
  EXPECT_NE(init.find("{player=1,trig='KEYCODE_3',steps={{6,600},{72,0},}},\n"), std::string::npos) << init;
  const std::string row4 = "{player=1,trig='KEYCODE_" + key + "',steps={{2,0},{10,0},{72,0},}},\n";
  ASSERT_NE(init.find(row4), std::string::npos) << init;

  // The same plugin in the real MAME: row 4's trigger also fires while a
  // key nobody presses is up, so the combo plays at once.
  std::string unix_dir = UnixPath(f.dir.path());
  if (unix_dir.empty() || GetFileAttributesW(L"Z:\\usr\\games\\mame") == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "the Linux MAME is not reachable from here";
  std::string lua = init;
  lua.replace(lua.find(row4), row4.size(),
              "{player=1,trig='KEYCODE_" + key + " OR NOT KEYCODE_F11',steps={{2,0},{10,0},{72,0},}},\n");
  size_t log_line = lua.find("local LOGPATH = [=[");
  lua.replace(log_line, lua.find('\n', log_line) - log_line, "local LOGPATH = [=[" + unix_dir + "/mame-combos.log]=]");
  WriteText(plugin_folder + "\\korvo_combos\\init.lua", lua);
  std::string script = "cd '" + unix_dir + "' && /usr/bin/timeout 120 /usr/games/mame breakout -plugins -pluginspath "
                       "'/usr/share/games/mame/plugins;" + UnixPath(plugin_folder) +
                       "' -plugin korvo_combos -video none -sound none -seconds_to_run 2 -homepath . "
                       "-cfg_directory cfg -nvram_directory nvram > mame-out.txt 2>&1; echo $? > mame-rc.txt";
  ASSERT_TRUE(RunUnixShell(script, f.dir.File("mame-rc.txt"), 150000)) << script;
  EXPECT_EQ(ReadText(f.dir.File("mame-rc.txt")), "0\n") << ReadText(f.dir.File("mame-out.txt"));
  std::string log = ReadText(f.dir.File("mame-combos.log"));
  EXPECT_EQ(log.find("plugin started\n"), 0u) << log;
  EXPECT_NE(log.find("combo 4 started\n"), std::string::npos) << log;
  EXPECT_NE(log.find("combo done\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("combo 3 started"), std::string::npos) << log;
  EXPECT_EQ(log.find("error:"), std::string::npos) << log;
}

TEST(CombosTab, PadButtonsWriteTheSequenceBox) {
  CombosHost f;
  // No row chosen: the first row with an empty sequence is taken (row 13).
  f.Pad("LP");
  EXPECT_EQ(f.SelectedRow(), 12);
  f.Pad("+");
  f.Pad("LK");
  EXPECT_EQ(f.Text(kIdComboSequence), "LP + LK");
  EXPECT_EQ(Combos().rows[12].seq, "LP+LK");
  EXPECT_EQ(Combos().rows[12].name, "Custom");
  EXPECT_EQ(f.Cell(12, kComboColumnSequence), "LP + LK");

  struct Case {
    std::vector<const char*> presses;
    const char* box;
    const char* stored;
  } cases[] = {
      {{"QCF", "HP"}, "QCF + HP", "236+HP"},
      {{"HP", "HP"}, "HP, HP", "HP, HP"},
      {{"Hold", "L"}, "Hold L", "4*C"},
      {{"~", "HP"}, "~, HP", "~, HP"},
      {{"Hold", "DL", ",", "R", "HP"}, "Hold DL, R + HP", "1*C 6+HP"},
  };
  for (const Case& c : cases) {
    f.Command(kIdComboClearSlot);
    EXPECT_EQ(f.Text(kIdComboSequence), "");
    for (const char* token : c.presses) f.Pad(token);
    EXPECT_EQ(f.Text(kIdComboSequence), c.box);
    EXPECT_EQ(Combos().rows[12].seq, c.stored) << c.box;
  }

  // A row clicked, then the pad: it goes on from the end of the row's readable form.
  f.ClickRow(3);  // Ryu's Hadou Ken
  EXPECT_EQ(f.SelectedRow(), 3);
  EXPECT_EQ(f.Text(kIdComboSequence), "QCF (D, DR, R) + HP");
  f.Pad("HP");
  EXPECT_EQ(f.Text(kIdComboSequence), "QCF (D, DR, R) + HP, HP");
  f.Pad("Del");
  f.Pad("Del");
  EXPECT_EQ(f.Text(kIdComboSequence), "QCF (D, DR, R)");
  EXPECT_EQ(Combos().rows[3].seq, "2 3 6");
  f.Pad("Del");
  EXPECT_EQ(f.Text(kIdComboSequence), "");
  EXPECT_EQ(Combos().rows[3].seq, "");
  // So it does after a move is chosen (and after Load Character, below).
  f.Choose(kIdComboMove, "[Special] Shouryuu Ken (Rising Dragon Fist)   (DP (R, D, DR) + HP)");
  f.Pad("Del");
  EXPECT_EQ(f.Text(kIdComboSequence), "DP (R, D, DR)");

  // Player Side shows the sequence for the other side and keeps what is stored.
  f.SelectRow(4);
  ASSERT_EQ(Combos().rows[4].name, "Ryu: Shakunetsu Hadou Ken (Scorching Heat Surge fist)");
  f.Choose(kIdComboPlayerSide, "Right");
  EXPECT_EQ(Combos().rows[4].seq, "63214+HP");
  EXPECT_EQ(Combos().rows[4].name, "Ryu: Shakunetsu Hadou Ken (Scorching Heat Surge fist)");
  EXPECT_EQ(f.Text(kIdComboSequence), "HCB (L, DL, D, DR, R) + HP");
  EXPECT_EQ(f.Chosen(kIdComboMove),
            "[Special] Shakunetsu Hadou Ken (Scorching Heat Surge fist)   (HCB (L, DL, D, DR, R) + HP)");
  EXPECT_EQ(f.Cell(4, kComboColumnSide), "Right");
  // Filling the editor never converts or renames: showing row 5 again changes nothing.
  f.SelectRow(0);
  f.SelectRow(4);
  EXPECT_EQ(Combos().rows[4].seq, "63214+HP");
  EXPECT_EQ(Combos().rows[4].name, "Ryu: Shakunetsu Hadou Ken (Scorching Heat Surge fist)");
  EXPECT_EQ(f.Text(kIdComboHint), "HCB + P");

  f.Choose(kIdComboLoadCharacter, "Guile");
  const std::string loaded = f.Text(kIdComboSequence);
  f.Pad("Del");
  EXPECT_LT(f.Text(kIdComboSequence).size(), loaded.size());
  EXPECT_EQ(loaded.rfind(f.Text(kIdComboSequence), 0), 0u) << loaded;
}

TEST(CombosTab, BadInputLeavesTheBoxAndTheRowTogether) {
  CombosHost f;
  f.SelectRow(19);
  // 400 characters typed: the box takes 399; the row keeps whole tokens.
  std::string many;
  for (int i = 0; i < 50; ++i) many += "HP, LK, ";
  f.Type(many);
  EXPECT_EQ(f.Text(kIdComboSequence).size(), 399u);
  EXPECT_LE(Combos().rows[19].seq.size(), 159u);
  EXPECT_EQ(Combos().rows[19].seq.substr(0, 8), "HP, LK, ");
  EXPECT_NE(Combos().rows[19].seq.back(), ',');

  // A sequence that does not convert is kept and shown as typed.
  SetWindowTextW(f.Item(kIdComboSequence), L"");
  f.Type("HPX, 6");
  EXPECT_EQ(Combos().rows[19].seq, "HPX, 6");
  EXPECT_EQ(f.Cell(19, kComboColumnSequence), "HPX, 6");
  f.SelectRow(0);
  f.SelectRow(19);
  EXPECT_EQ(f.Text(kIdComboSequence), "HPX, 6");

  // Pasted control characters become spaces in the box and the row.
  SetWindowTextW(f.Item(kIdComboSequence), L"");
  f.Paste("qcf\t+\thp");
  EXPECT_EQ(f.Text(kIdComboSequence), "qcf + hp");
  EXPECT_EQ(Combos().rows[19].seq, "236+HP");

  // The pad with a caret inside a word, and a selection across a parenthesis.
  f.SelectRow(3);
  f.Caret(1, 1);
  f.Pad("HP");
  f.ExpectBoxAndRowAgree(3);
  f.SelectRow(5);
  f.Caret(5, 17);
  f.Pad("LK");
  f.ExpectBoxAndRowAgree(5);
  f.Caret(8, 8);
  f.Pad("Del");
  f.ExpectBoxAndRowAgree(5);

  // Step and Charge: out of range is not taken and leaving the box shows the value in force.
  SetWindowTextW(f.Item(kIdComboStep), L"15");
  SetWindowTextW(f.Item(kIdComboCharge), L"3000");
  EXPECT_EQ(Combos().step_ms, 30);
  EXPECT_EQ(Combos().charge_ms, 3000);
  f.Command(kIdComboStep, EN_KILLFOCUS);
  EXPECT_EQ(f.Text(kIdComboStep), "30");
}

TEST(CombosTab, ListMouseRenameTriggersDefaultsAndCancel) {
  CombosHost f;
  {
    DialogDriver driver([](HWND dialog, const SeenBox& box) {
      if (box.title != "Rename Combo") return false;
      SetDlgItemTextW(dialog, 1001, L"  My Fireball  ");
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return true;
    });
    f.Mouse(NM_DBLCLK, 3, kComboColumnName);
  }
  EXPECT_EQ(Combos().rows[3].name, "My Fireball");
  EXPECT_EQ(f.Cell(3, kComboColumnName), "My Fireball");
  {
    DialogDriver guard;
    f.Mouse(NM_DBLCLK, 3, kComboColumnSequence);  // only the name cell renames
    EXPECT_TRUE(guard.Seen().empty());
  }

  // Right-click on a Pad cell, "Clear": only the pad trigger goes. The menu
  // is answered from its own loop by keys.
  Combos().rows[1].pad = "1_BUTTON1";
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      keybd_event(static_cast<BYTE>(key), 0, 0, 0);
      keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    }
  });
  SetForegroundWindow(f.host);
  f.Mouse(NM_RCLICK, 1, kComboColumnPad);
  EXPECT_EQ(f.SelectedRow(), 1);
  EXPECT_EQ(Combos().rows[1].pad, "");
  EXPECT_EQ(Combos().rows[1].key, "2");
  EXPECT_TRUE(capture_requests.empty());

  // A click on a Pad cell asks for a pad capture of that row, even when
  // another row holds the same trigger.
  {
    DialogDriver driver;
    f.Mouse(NM_CLICK, 6, kComboColumnPad);
    PumpMessagesFor(300);
  }
  ASSERT_EQ(capture_requests.size(), 1u);
  EXPECT_EQ(capture_requests[0], static_cast<WPARAM>(6 | (kComboTriggerPad << 16)));

  // Defaults: No keeps everything, Yes restores Ryu and the digit keys.
  SetWindowTextW(f.Item(kIdComboCharge), L"900");
  {
    DialogDriver no;
    f.Command(kIdComboDefaults);
    EXPECT_TRUE(no.SawTitle("Combo Defaults"));
  }
  EXPECT_EQ(Combos().rows[3].name, "My Fireball");
  {
    DialogDriver yes([](HWND box, const SeenBox&) {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
      return true;
    });
    f.Command(kIdComboDefaults);
  }
  EXPECT_EQ(Combos().rows[3].name, "Ryu: Hadou Ken (Surge Fist)");
  EXPECT_EQ(Combos().rows[1].pad, "");
  EXPECT_EQ(f.Text(kIdComboCharge), "600");
  EXPECT_EQ(f.SelectedRow(), -1);

  // Cancel drops what was not saved.
  SaveCombos();
  f.SelectRow(0);
  f.Command(kIdComboClearSlot);
  EXPECT_EQ(Combos().rows[0].seq, "");
  CancelCombosPage();
  EXPECT_EQ(Combos().rows[0].name, "Ryu: Shin Shouryuu Ken (True Rising Dragon Fist)");
  EXPECT_EQ(f.Cell(0, kComboColumnSequence), "DQCF (D, DR, R, D, DR, R) + LK + MK + HK");

  // How It Works and Legend.
  int legend_rows = 0;
  {
    DialogDriver driver([&](HWND window, const SeenBox& box) {
      if (box.title != "Legend") return false;
      legend_rows = ListView_GetItemCount(FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr));
      return false;
    });
    f.Command(kIdComboHowItWorks);
    f.Command(kIdComboLegend);
    ASSERT_EQ(driver.Seen().size(), 2u);
    const SeenBox& help = driver.Seen()[0];
    EXPECT_EQ(help.title, "How Combos Work");
    EXPECT_EQ(std::count(help.text.begin(), help.text.end(), '\n'), 17);
    EXPECT_NE(help.text.find("\n    Example: D, DR, R + HP   (the same as QCF + HP)\n"), std::string::npos);
  }
  EXPECT_EQ(legend_rows, 49);
}

TEST(CombosTab, ScreenshotsInBothLooks) {
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    {
      CombosHost f(900);
      f.SelectRow(3);
      PumpMessagesFor(200);
      EXPECT_TRUE(SaveWindowScreenshot(f.host, dark ? "combos_tab_dark" : "combos_tab_light"));
    }
  }
  ApplyTheme(false);
}

}  // namespace
