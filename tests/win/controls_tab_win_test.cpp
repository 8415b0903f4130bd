// The Controls tab: cells, Set Pad on injected readings, Defaults, profiles, Set Key into default.cfg, kept by MAME.
#include <gtest/gtest.h>

#include <thread>

#include "controls/controls_tab_ui_win.h"
#include "controls/default_cfg.h"
#include "controls/pad_source_win.h"
#include "controls/probe_run.h"
#include "controls/profiles.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"

namespace {
constexpr int kP1Up = 0, kP1Button1 = 4, kP1Button2 = 5, kP1Button3 = 6;
using Codes = std::vector<std::string>;

HWND List() { return MappingWindows().list; }
std::string Cell(int row, int column) { return ListRow(List(), row)[static_cast<size_t>(column)]; }
void SelectRow(int row) { SelectListRow(List(), row); }
void ClickCell(int row, int column, UINT code) { NotifyCellMouse(List(), code, row, column); }

PadReadings pads;  // what the Set Pad Button dialog reads
int probe_runs = 0;

// The probe as MAME would answer it: XInput user 0 is MAME's joystick 2.
bool FakeProbe(const std::string&, uint32_t) {
  ++probe_runs;
  WriteFileAtomic(JoinPath(LauncherFolder(), "korvo-padprobe.new"),
                  "D|0|Arcade stick\nI|0|Button 1|BUTTON1|0\nD|1|XInput Player 1\nI|1|A|BUTTON1|0\n"
                  "I|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|0\nEND\n");
  return true;
}

// Set Pad on `row`: `pad_number` chosen, then `press` (A) on the first XInput pad; -1 presses No Pad Button,
// -2 Cancel.
void SetPad(MainWindowFixture& f, int row, int pad_number, uint16_t press = 0x1000) {
  SelectRow(row);
  DialogDriver driver([pad_number, press](HWND w, const SeenBox& box) {
    if (box.title != "Set Pad Button") return false;
    if (pad_number == -1)
      return SaveWindowScreenshot(w, "set-pad-button"), PostMessageW(w, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0) != 0;
    if (pad_number == -2)  // a second for the dialog to take a held stick, then Cancel
      return SetTimer(nullptr, 0, 1000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer), PostMessageW(FindWindowW(L"KorvoModal", L"Set Pad Button"), WM_COMMAND, IDCANCEL, 0);
      }) != 0;
    SendDlgItemMessageW(w, 1002, CB_SETCURSEL, static_cast<WPARAM>(pad_number), 0);
    pads.pads[0].buttons |= press;
    return true;
  });
  f.Command(393);
  pads.pads[0].buttons = 0;
}
}  // namespace

TEST(ControlsTab, CellsPadsDefaultsProfilesAndKeysReachDefaultCfgAndMameKeepsThem) {
  MainWindowFixture f("mame_exe=Emu\\mame.exe\r\n");  // MAME in a folder of its own: its default.cfg is the one edited
  ASSERT_TRUE(CreateFolder(f.dir.File("Emu")) && CopyInto(f.dir.File("mame.exe"), f.dir.File("Emu\\mame.exe")));
  ASSERT_TRUE(f.Open());
  f.Command(118);
  const std::string cfg = "Emu\\cfg\\default.cfg";
  auto Written = [&] { InputMapping m; return ReadDefaultCfgText(m, f.Read(cfg)), m; };
  // Nothing chosen: each button says so.
  SelectRow(-1);
  for (int command : {392, 393, 394}) {
    f.Command(command);
    EXPECT_EQ(f.StatusText(), "Choose an action in the list first") << command;
  }
  // The Autofire cell of a button flips, of a direction shows nothing; Clear empties the clicked row.
  ClickCell(kP1Up, 3, NM_CLICK);
  ClickCell(kP1Button1, 3, NM_CLICK);
  EXPECT_EQ(Cell(kP1Up, 3) + Cell(kP1Button1, 3), "[x]");
  ClickCell(kP1Button1, 3, NM_CLICK);
  f.Command(394);
  EXPECT_EQ(Cell(kP1Button1, 0) + Cell(kP1Button1, 3) + Cell(kP1Button1, 1) + Cell(kP1Button1, 2), "Player 1 Button 1[ ]--");
  // The chosen row is marked across its cells, not only under its name.
  SelectRow(kP1Button1);
  RECT label = {}, last = {}, other = {};
  ListView_GetSubItemRect(List(), kP1Button1, 0, LVIR_LABEL, &label);
  ListView_GetSubItemRect(List(), kP1Button1, 3, LVIR_BOUNDS, &last), ListView_GetSubItemRect(List(), kP1Up, 3, LVIR_BOUNDS, &other);
  RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const WindowPixels shot(List());
  const uint32_t marked = shot.In(List(), label.right - 2, label.top + 2);
  EXPECT_TRUE(shot.In(List(), last.right - 2, last.top + 2) == marked &&
              shot.In(List(), other.right - 2, other.top + 2) != marked);

  // Double-clicks open the capture dialogs (not on the Action cell); cancelled, they change nothing.
  pads = PadReadings{};
  for (auto& p : pads.pads) p.ok = true;
  SetCurrentPadProbe({});
  ResetPadProbeAttempt();  // a first Set Pad Button dialog of the run
  SetPadProbeRunner(FakeProbe);
  SetPadSource({[] { return true; }, [](PadReadings& r) { r = pads; }, [] {}});
  const Codes row = ListRow(List(), kP1Up);  // the list's first row
  DialogDriver cancel;
  for (int column : {1, 2, 0}) ClickCell(kP1Up, column, NM_DBLCLK);
  EXPECT_TRUE(cancel.Seen().size() == 2 && cancel.SawTitle("Set Keyboard Key") && cancel.SawTitle("Set Pad Button"));
  EXPECT_EQ(ListRow(List(), kP1Up), row);

  // Set Pad in MAME's numbering: the first XInput pad is MAME's second; the probe runs once per run.
  SetPad(f, kP1Button1, 0);
  pads.pads[0].buttons = 0x1000;  // A still held from a press that opened the dialog: not taken
  SetPad(f, kP1Button2, 3, 0x2000);  // then B, on "Pad 3"
  SetPad(f, kP1Button3, -1);  // No Pad Button
  EXPECT_TRUE(PadCodeList(TheInputMapping(), kP1Button1) == Codes{"2_BUTTON1"} &&
              PadCodeList(TheInputMapping(), kP1Button2) == Codes{"3_BUTTON2"});
  EXPECT_EQ(std::to_string(probe_runs) + Cell(kP1Button3, 2), "1-");
  pads.pads[0].thumb_ly = 30000;  // a direction takes the stick that is already held
  SetPad(f, kP1Up, -2);
  const Codes up = PadCodeList(TheInputMapping(), kP1Up);
  EXPECT_NE(std::find(up.begin(), up.end(), "2_YAXIS_UP_SWITCH"), up.end());
  SetPadSource({});

  // Defaults asks, then gives every action its keys back; OK writes all 25.
  EXPECT_NE(Answered("Reset Mapping", IDYES, [&] { f.Command(395); }), "<none>");
  EXPECT_EQ(Cell(kP1Up, 1) + " | " + Cell(kP1Button3, 2), "W | Pad 2 RB");  // the list shows them at once
  f.Command(109);
  for (int i = 0; i < kActionCount; ++i) EXPECT_TRUE(Written().bindings[i].present) << ActionAt(i).port;

  // A right click on a row's pad cell offers that cell's commands: the last, Clear Pad, chosen with the keys.
  const std::string key = Cell(kP1Button1, 1);
  ASSERT_NE(Cell(kP1Button1, 2), "-");
  std::thread hand([] {
    for (int i = 0; i < 250 && !FindWindowW(L"#32768", nullptr); ++i) Sleep(20);
    for (WORD key : {WORD(VK_UP), WORD(VK_RETURN)}) PressKey(key, true), PressKey(key, false), Sleep(100);
  });
  ClickCell(kP1Button1, 2, NM_RCLICK);
  hand.join();
  EXPECT_EQ(Cell(kP1Button1, 1) + " " + Cell(kP1Button1, 2), key + " -");

  // Profiles: Save As cleans the name, Save follows whether the list matches, loading asks for OK.
  const ControlsMappingWindows& w = MappingWindows();
  auto chosen = [&] { return ChosenEntry(w.profile); };
  // The name prompt answered with `text`; a box asking to replace a profile gets the driver's No.
  auto name = [&](int command, const char* text) {
    DialogDriver driver([text](HWND dialog, const SeenBox& box) {
      return !box.box && SetDlgItemTextW(dialog, 1001, Utf8ToUtf16(text).c_str()) && PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    f.Command(command);
    return driver.Seen().size();
  };
  EXPECT_FALSE(IsWindowEnabled(w.rename));
  name(398, "  my:pad/1.. ");
  EXPECT_EQ(f.StatusText() + " " + chosen() + " " + App().settings.controls_profile, "Profile saved mypad1 mypad1");
  EXPECT_TRUE(!IsWindowEnabled(w.save) && IsWindowEnabled(w.rename)) << "the list matches the profile";
  SelectRow(kP1Up);
  f.Command(394);
  const bool offered = IsWindowEnabled(w.save);
  f.Command(397);
  EXPECT_TRUE(offered && !IsWindowEnabled(w.save));
  EXPECT_EQ(*ReadWholeFile(f.dir.File("profiles\\mypad1.cfg")), SerializeMapping(TheInputMapping()));
  ResetToLauncherDefaults(TheInputMapping());
  ChooseComboEntry(w.profile, 0);
  ChooseComboEntry(w.profile, 1);
  EXPECT_EQ(f.StatusText() + " " + Cell(kP1Up, 1), "Profile loaded: press OK to write it to MAME -");
  name(399, "Pad");
  EXPECT_EQ(f.StatusText() + " " + chosen(), "Profile renamed Pad");
  EXPECT_EQ(ListProfiles(), Codes{"Pad"}) << "the old file is gone";
  name(398, "Other");
  name(399, "pad");
  EXPECT_EQ(f.StatusText(), "A profile with this name exists already");
  EXPECT_EQ(std::to_string(name(398, "pad")) + chosen(), "2Other") << "an existing name asks before it is replaced";
  // A profile that cannot be read leaves the mapping as it was.
  const std::string mapping = SerializeMapping(TheInputMapping());
  DeleteFileW(Utf8ToUtf16(f.dir.File("profiles\\Pad.cfg")).c_str());
  ChooseComboEntry(w.profile, 2);  // Pad (after Other), gone behind the launcher's back
  EXPECT_EQ(f.StatusText() + std::to_string(SerializeMapping(TheInputMapping()) == mapping), "The profile could not be read1");
  ChooseComboEntry(w.profile, 1);
  EXPECT_NE(Answered("Delete Profile", IDYES, [&] { f.Command(400); }), "<none>");
  EXPECT_EQ(f.StatusText() + " " + chosen() + " " + App().settings.controls_profile, "Profile deleted None ");
  EXPECT_TRUE(ListProfiles().empty() && SerializeMapping(TheInputMapping()) == mapping);

  // Set Key by keys through the system: Delete means no key, Enter is a key (not the default button).
  SelectRow(kP1Up);
  for (WORD key : {WORD(VK_DELETE), WORD(VK_RETURN)}) {
    {
      KeyHeldForDialog held(key);
      f.Command(392);
    }
    EXPECT_EQ(Cell(kP1Up, 1), key == VK_DELETE ? "-" : "Enter");
  }
  EXPECT_NE(Written().bindings[kP1Up].key, "ENTER") << "written only with OK";
  f.Command(109);
  const InputMapping written = Written();
  EXPECT_EQ(written.bindings[kP1Up].key, "ENTER");
  // Debian's MAME 0.251 loads it and saves it again its own way on exit, keeping the key.
  const std::string ours = f.Read(cfg);
  if (!StartRealMame(f.dir.File("Emu"), "pong -seconds_to_run 1")) GTEST_SKIP() << "no MAME 0.251";
  ASSERT_TRUE(WaitFor([&] { return f.Read(cfg) != ours; }, 60000) &&
              WaitFor([&] { return f.Read(cfg).find("</mameconfig>") != std::string::npos; }, 5000))
      << "MAME did not save the file";
  EXPECT_EQ(Written().bindings[kP1Up].key, "ENTER");
  EXPECT_EQ(SequenceToWrite(Written(), kP1Up), SequenceToWrite(written, kP1Up));
}
