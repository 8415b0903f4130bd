// The Controls tab in the real main window under Wine: Set Key with a
// synthetic key press reaches MAME's default.cfg (and the real MAME keeps
// it), Set Pad with readings put in through the pad source, the list's
// cells, Defaults, and the profile row with its files.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "controls/controls_tab_ui_win.h"
#include "controls/default_cfg.h"
#include "controls/input_mapping.h"
#include "controls/pad_probe.h"
#include "controls/pad_source_win.h"
#include "controls/probe_run.h"
#include "controls/profiles.h"
#include "dialog_driver_win.h"
#include "main_window_fixture_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "synthetic_key_win.h"

namespace {
constexpr int kP1Up = 0, kP1Button1 = 4, kP1Button2 = 5, kP1Button3 = 6;

HWND List() { return MappingWindows().list; }

std::string Cell(int row, int column) {
  wchar_t text[256] = L"";
  ListView_GetItemText(List(), row, column, text, 256);
  return Utf16ToUtf8(text);
}

void SelectRow(int row) {
  ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
  if (row >= 0) ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// A click as the list reports it, at the middle of the cell.
void ClickCell(int row, int column, UINT code) {
  RECT cell = {};
  cell.top = column;
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageW(List(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  NMITEMACTIVATE click = {};
  click.hdr.hwndFrom = List();
  click.hdr.idFrom = 391;
  click.hdr.code = code;
  click.iItem = row;
  click.iSubItem = column;
  click.ptAction = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  SendMessageW(GetParent(List()), WM_NOTIFY, 391, reinterpret_cast<LPARAM>(&click));
}

DialogDriver::Answer Say(const std::string& title, int button) {
  return [title, button](HWND w, const SeenBox& box) {
    if (box.title != title) return false;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
  };
}

std::string UnixPath(const std::string& windows_path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!to_unix) return {};
  char* path = to_unix(Utf8ToUtf16(windows_path).c_str());
  std::string out = path ? path : "";
  HeapFree(GetProcessHeap(), 0, path);
  return out;
}

// Debian's MAME 0.251 loads the folder's cfg\default.cfg and saves it again
// on exit. Wine starts the Unix program without a handle to wait on, so the
// test waits until the file is MAME's (MAME lays it out its own way). False
// when MAME did not save in time.
bool RunRealMame(MainWindowFixture& f) {
  if (GetFileAttributesW(L"Z:\\usr\\games\\mame") == INVALID_FILE_ATTRIBUTES) return false;
  const std::string home = UnixPath(f.dir.path());
  SetEnvironmentVariableW(L"HOME", Utf8ToUtf16(home).c_str());
  const std::string ours = f.ReadText("cfg\\default.cfg");
  HANDLE process = StartProgram("Z:\\usr\\games\\mame", "pong -cfg_directory " + home + "/cfg -nvram_directory " +
                                                            home + "/nvram -homepath " + home +
                                                            " -video none -sound none -seconds_to_run 1");
  if (process) CloseHandle(process);
  return f.WaitFor([&] { return f.ReadText("cfg\\default.cfg") != ours; }, 60000) &&
         f.WaitFor([&] { return f.ReadText("cfg\\default.cfg").find("</mameconfig>") != std::string::npos; }, 5000);
}

// What the Set Pad Button dialog reads, set by the test between dialogs.
PadReadings pads;
int probe_runs = 0;

// The probe as MAME would answer it: XInput user 0 is MAME's joystick 2.
bool FakeProbe(const std::string&, uint32_t) {
  ++probe_runs;
  WriteFileAtomic(JoinPath(LauncherFolder(), "korvo-padprobe.new"),
                  "D|0|Arcade stick\nI|0|Button 1|BUTTON1|0\nD|1|XInput Player 1\nI|1|A|BUTTON1|0\n"
                  "I|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|0\nEND\n");
  return true;
}

struct InjectedPads {
  InjectedPads() {
    pads = PadReadings{};
    for (auto& p : pads.pads) p.ok = true;
    probe_runs = 0;
    SetCurrentPadProbe({});
    ResetPadProbeAttempt();  // a first Set Pad Button dialog of the run
    SetPadProbeRunner(FakeProbe);
    SetPadSource({[] { return true; }, [](PadReadings& r) { r = pads; }, [] {}});
  }
  ~InjectedPads() { SetPadSource({}); }
};

// Presses A on the first XInput pad once the dialog is up, after choosing a Pad Number.
DialogDriver::Answer PressA(int pad_number = 0) {
  return [pad_number](HWND w, const SeenBox& box) {
    if (box.title != "Set Pad Button") return false;
    SendDlgItemMessageW(w, 1002, CB_SETCURSEL, static_cast<WPARAM>(pad_number), 0);
    pads.pads[0].buttons = 0x1000;
    return true;
  };
}

class ControlsTab : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(f.Open());
    f.Command(118);
  }
  MainWindowFixture f;
};
}  // namespace

TEST_F(ControlsTab, SetKeyWithASyntheticKeyReachesDefaultCfgAndMameKeepsIt) {
  SelectRow(kP1Up);
  DialogDriver driver([](HWND, const SeenBox& box) {
    if (box.title != "Set Keyboard Key") return false;
    PressKey('K', true);
    return true;
  });
  f.Command(392);
  PressKey('K', false);
  ASSERT_TRUE(driver.SawTitle("Set Keyboard Key"));
  EXPECT_EQ(Cell(kP1Up, 1), "K");
  InputMapping written;
  ReadDefaultCfgText(written, f.ReadText("cfg\\default.cfg"));
  EXPECT_NE(written.bindings[kP1Up].key, "K") << "written only with OK";
  f.Command(109);
  ReadDefaultCfgText(written, f.ReadText("cfg\\default.cfg"));
  EXPECT_EQ(written.bindings[kP1Up].key, "K");

  if (GetFileAttributesW(L"Z:\\usr\\games\\mame") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no MAME 0.251";
  ASSERT_TRUE(RunRealMame(f)) << "MAME did not save the file";
  const std::string kept = f.ReadText("cfg\\default.cfg");
  InputMapping reread;
  ReadDefaultCfgText(reread, kept);
  EXPECT_EQ(reread.bindings[kP1Up].key, "K");
  EXPECT_EQ(SequenceToWrite(reread, kP1Up), SequenceToWrite(written, kP1Up));
}

TEST_F(ControlsTab, DefaultsThenOkWritesAll25Entries) {
  DialogDriver driver(Say("Reset Mapping", IDYES));
  f.Command(395);
  ASSERT_TRUE(driver.SawTitle("Reset Mapping"));
  EXPECT_EQ(driver.Seen()[0].text,
            "Give all the actions of the list back to the default keys and pad buttons?\n\nThe changes are "
            "written when you press OK.");
  EXPECT_EQ(Cell(kP1Up, 1), "W");
  f.Command(109);
  InputMapping written;
  ReadDefaultCfgText(written, f.ReadText("cfg\\default.cfg"));
  for (int i = 0; i < kActionCount; ++i) EXPECT_TRUE(written.bindings[i].present) << ActionAt(i).port;
}

TEST_F(ControlsTab, CellsClearAndCancelledCaptures) {
  SelectRow(-1);
  for (int command : {392, 393, 394}) {
    f.Command(command);
    EXPECT_EQ(f.StatusText(), "Choose an action in the list first") << command;
  }
  ClickCell(kP1Up, 3, NM_CLICK);
  EXPECT_EQ(Cell(kP1Up, 3), "");
  ClickCell(kP1Button1, 3, NM_CLICK);
  EXPECT_EQ(Cell(kP1Button1, 3), "[x]");
  EXPECT_TRUE(HasAutofire(TheInputMapping(), kP1Button1));
  ClickCell(kP1Button1, 3, NM_CLICK);
  EXPECT_EQ(Cell(kP1Button1, 3), "[ ]");

  f.Command(394);  // the clicked row is the chosen one
  EXPECT_EQ(Cell(kP1Button1, 1), "-");
  EXPECT_EQ(Cell(kP1Button1, 2), "-");

  // Double-clicks open the capture dialogs; cancelling them changes nothing.
  InjectedPads injected;
  const std::string key = Cell(kP1Button2, 1), pad = Cell(kP1Button2, 2);
  DialogDriver driver;  // presses Cancel
  ClickCell(kP1Button2, 1, NM_DBLCLK);
  ClickCell(kP1Button2, 2, NM_DBLCLK);
  ClickCell(kP1Button2, 0, NM_DBLCLK);  // the Action cell does nothing
  EXPECT_TRUE(driver.SawTitle("Set Keyboard Key"));
  EXPECT_TRUE(driver.SawTitle("Set Pad Button"));
  EXPECT_EQ(driver.Seen().size(), 2u);
  EXPECT_EQ(Cell(kP1Button2, 1), key);
  EXPECT_EQ(Cell(kP1Button2, 2), pad);
}

TEST_F(ControlsTab, SetPadTakesInjectedReadingsInMamesNumbering) {
  InjectedPads injected;
  SelectRow(kP1Button1);
  {
    DialogDriver driver(PressA());
    f.Command(393);
  }
  EXPECT_EQ(PadCodeList(TheInputMapping(), kP1Button1), std::vector<std::string>{"2_BUTTON1"});
  EXPECT_EQ(probe_runs, 1);

  pads.pads[0].buttons = 0;
  SelectRow(kP1Button2);
  {
    DialogDriver driver(PressA(3));  // "Pad 3"
    f.Command(393);
  }
  EXPECT_EQ(PadCodeList(TheInputMapping(), kP1Button2), std::vector<std::string>{"3_BUTTON1"});
  EXPECT_EQ(probe_runs, 1) << "the probe runs once per run of the program";

  SelectRow(kP1Button3);
  {
    DialogDriver driver([](HWND w, const SeenBox& box) {
      if (box.title != "Set Pad Button") return false;
      PostMessageW(w, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);  // No Pad Button
      return true;
    });
    f.Command(393);
  }
  EXPECT_TRUE(PadCodeList(TheInputMapping(), kP1Button3).empty());
  EXPECT_EQ(Cell(kP1Button3, 2), "-");

  // A direction takes the stick that is already held.
  pads.pads[0].buttons = 0;
  pads.pads[0].thumb_ly = 30000;
  SelectRow(kP1Up);
  {
    DialogDriver driver;  // only if the held stick were not taken at once
    f.Command(393);
  }
  std::vector<std::string> up = PadCodeList(TheInputMapping(), kP1Up);
  EXPECT_NE(std::find(up.begin(), up.end(), "2_YAXIS_UP_SWITCH"), up.end());
}

TEST_F(ControlsTab, ProfilesSaveLoadRenameAndDelete) {
  const ControlsMappingWindows& w = MappingWindows();
  auto chosen = [&] {
    wchar_t text[128] = L"";
    int at = static_cast<int>(SendMessageW(w.profile, CB_GETCURSEL, 0, 0));
    SendMessageW(w.profile, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return Utf16ToUtf8(text);
  };
  auto choose = [&](int index) {
    SendMessageW(w.profile, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(w.profile), WM_COMMAND, MAKEWPARAM(396, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w.profile));
  };
  auto answer_prompt = [](const std::string& title, const std::string& text) {
    return [title, text](HWND dialog, const SeenBox& box) {
      if (box.title != title) return false;
      SetDlgItemTextW(dialog, 1001, Utf8ToUtf16(text).c_str());
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return true;
    };
  };
  EXPECT_FALSE(IsWindowEnabled(w.rename));
  {
    DialogDriver driver(answer_prompt("Save Profile As", "  my:pad/1.. "));
    f.Command(398);
  }
  EXPECT_EQ(f.StatusText(), "Profile saved");
  EXPECT_TRUE(FileExists(f.dir.File("profiles\\mypad1.cfg")));
  EXPECT_EQ(chosen(), "mypad1");
  EXPECT_EQ(App().settings.controls_profile, "mypad1");
  EXPECT_FALSE(IsWindowEnabled(w.save)) << "the list matches the profile";
  EXPECT_TRUE(IsWindowEnabled(w.rename));

  SelectRow(kP1Up);
  f.Command(394);  // Clear: the list no longer matches
  EXPECT_TRUE(IsWindowEnabled(w.save));
  f.Command(397);
  EXPECT_FALSE(IsWindowEnabled(w.save));
  EXPECT_EQ(*ReadWholeFile(f.dir.File("profiles\\mypad1.cfg")), SerializeMapping(TheInputMapping()));

  // Loading replaces the mapping; OK writes it.
  ResetToLauncherDefaults(TheInputMapping());
  choose(0);
  choose(1);
  EXPECT_EQ(f.StatusText(), "Profile loaded: press OK to write it to MAME");
  EXPECT_EQ(Cell(kP1Up, 1), "-");

  {
    DialogDriver driver(answer_prompt("Rename Profile", "Pad"));
    f.Command(399);
  }
  EXPECT_EQ(f.StatusText(), "Profile renamed");
  EXPECT_EQ(chosen(), "Pad");
  EXPECT_FALSE(FileExists(f.dir.File("profiles\\mypad1.cfg")));
  {
    DialogDriver driver(answer_prompt("Rename Profile", "PAD"));  // a change of case only
    f.Command(399);
  }
  EXPECT_EQ(chosen(), "PAD");
  EXPECT_EQ(ListProfiles(), std::vector<std::string>{"PAD"});

  {
    DialogDriver driver(answer_prompt("Save Profile As", "Other"));
    f.Command(398);
  }
  {
    DialogDriver driver(answer_prompt("Rename Profile", "pad"));
    f.Command(399);
  }
  EXPECT_EQ(f.StatusText(), "A profile with this name exists already");
  {
    DialogDriver driver([&](HWND dialog, const SeenBox& box) {
      if (box.title != "Save Profile As") return false;
      wchar_t name[32] = L"";
      GetClassNameW(dialog, name, 32);
      if (!lstrcmpW(name, L"KorvoModal")) return answer_prompt("Save Profile As", "pad")(dialog, box);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);  // do not replace
      return true;
    });
    f.Command(398);
    EXPECT_EQ(driver.Seen().size(), 2u) << "an existing name asks before it is replaced";
  }
  EXPECT_EQ(chosen(), "Other");

  // A profile that cannot be read leaves the mapping as it was.
  const std::string before = SerializeMapping(TheInputMapping());
  DeleteFileW(Utf8ToUtf16(f.dir.File("profiles\\PAD.cfg")).c_str());
  choose(2);  // PAD (after Other), gone behind the launcher's back
  EXPECT_EQ(f.StatusText(), "The profile could not be read");
  EXPECT_EQ(SerializeMapping(TheInputMapping()), before);

  choose(1);  // Other
  const std::string mapping = SerializeMapping(TheInputMapping());
  {
    DialogDriver driver(Say("Delete Profile", IDYES));
    f.Command(400);
    EXPECT_EQ(driver.Seen().at(0).text, "Delete this profile?\n\nThe mapping in the list stays as it is.");
  }
  EXPECT_EQ(f.StatusText(), "Profile deleted");
  EXPECT_FALSE(FileExists(f.dir.File("profiles\\Other.cfg")));
  EXPECT_EQ(chosen(), "None");
  EXPECT_EQ(App().settings.controls_profile, "");
  EXPECT_EQ(SerializeMapping(TheInputMapping()), mapping);

  // A name that Windows would open as a device is saved under an ordinary
  // one. Meanwhile a profile made by hand has come into the folder.
  f.WriteText("profiles\\full.cfg", "bind=P1_BUTTON1\tKEYCODE_I\tJOYCODE_1_BUTTON3\t\t0\n");
  {
    DialogDriver driver(answer_prompt("Save Profile As", "con.x"));
    f.Command(398);
    EXPECT_EQ(driver.Seen().size(), 1u) << "no profile of that name exists, so nothing is asked";
  }
  EXPECT_EQ(f.StatusText(), "Profile saved");
  EXPECT_EQ(chosen(), "con_.x");
  EXPECT_TRUE(FileExists(f.dir.File("profiles\\con_.x.cfg")));

  // It names keys with MAME's full names, and reaches default.cfg intact.
  choose(2);
  EXPECT_EQ(chosen(), "full");
  EXPECT_EQ(Cell(kP1Button1, 1), "I");
  f.Command(109);
  const std::string cfg = f.ReadText("cfg\\default.cfg");
  EXPECT_NE(cfg.find("KEYCODE_I OR JOYCODE_1_BUTTON3"), std::string::npos) << cfg;
  EXPECT_EQ(cfg.find("KEYCODE_KEYCODE"), std::string::npos);
}
