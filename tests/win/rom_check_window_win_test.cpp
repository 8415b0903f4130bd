// The Check ROM Set window: a clone's report with MAME's verdict, a close before it arrives, a game without a set.

#include <gtest/gtest.h>

#include "romcheck/rom_check_window_ui_win.h"
#include "scratch_launcher_win.h"

namespace {
constexpr const char* kChecking = "Checking the files\xE2\x80\xA6";

// Opens the window for `game`; `act` gets it and its report text on each tick until it says it is done.
void CheckRomSet(const GameList& games, const GameEntry& game, const std::function<bool(HWND, std::string)>& act) {
  EXPECT_TRUE(WhenShown("Check ROM Set", [&](HWND win) {
    return act(win, ControlText(FindWindowExW(win, nullptr, L"EDIT", nullptr))) && (PressButton(win, L"Close"), true);
  }, [&] { OpenRomCheckWindow(nullptr, games, game); }));
}
}  // namespace

TEST(RomCheckWindow, ReportClosingEarlyAndAGameWithoutASet) {
  ScratchLauncher f;
  App().settings.roms_directory = f.dir.File("roms");
  f.Write("roms\\sfex2u.zip", ZipOf("u.bin", std::string(1000, 'u')));
  std::string parent = ZipOf("a.bin", std::string(3000, 'a'));
  parent[30 + 5 + 7] ^= 1;  // a byte of the member's data: its checksum no longer matches
  f.Write("roms\\sfex2.zip", parent);
  GameList games = BuildGameList();
  const GameEntry& clone = *FindGameBySet(games, "sfex2u");

  f.Write("fakemame-control.txt", "verifyroms=wrong\n");
  std::string report;
  for (bool dark : {false, true}) {
    const Look look(dark);
    CheckRomSet(games, clone, [&](HWND win, std::string text) {
      if (text == kChecking) return false;
      EXPECT_EQ(GetFocus(), GetDlgItem(win, IDCANCEL));  // on Close, not in the report: Enter closes
      return report = text, SaveWindowScreenshot(win, "check-rom-set-" + look.name), true;
    });
  }
  // The report's wording and MAME's verdict are the native tests' matter; here: the files of this folder, MAME's answer.
  const std::string expected_start = clone.title + "\r\nROMs folder: " + f.dir.File("roms") + "\r\n\r\n" +
                                     "sfex2u.zip (game): OK - 1 files, 1 KB\r\nsfex2.zip (parent set): PROBLEM\r\n";
  EXPECT_EQ(report.substr(0, expected_start.size()), expected_start);
  EXPECT_NE(report.find("sfex2u      : m534002c-59.ic353 (524288 bytes) - INCORRECT CHECKSUM:\r\n"), std::string::npos);
  EXPECT_EQ(report.find("\n\n"), std::string::npos);  // every line end is CRLF
  EXPECT_EQ(f.CallsWith("-verifyroms"), 2u);

  // Closed while MAME keeps the task busy: the worker goes on to its end; its report finds no window.
  f.Write("fakemame-control.txt", "verifyroms-delay-ms=1000\n");
  std::string text_at_close;
  CheckRomSet(games, clone, [&](HWND, std::string text) { return text_at_close = text, true; });
  EXPECT_TRUE(text_at_close == kChecking && !FindWindowW(L"KorvoModal", L"Check ROM Set"));
  for (int i = 0; i < 500 && (f.CallsWith("-verifyroms") < 3 || CountProcesses(L"mame.exe")); ++i) PumpMessagesFor(20);
  PumpMessagesFor(200);  // the report the worker posted as MAME ended
  EXPECT_TRUE(f.CallsWith("-verifyroms") == 3u && !FindWindowW(L"KorvoModal", L"Check ROM Set"));

  // A game without a set name starts no check.
  GameEntry no_set;
  no_set.title = "No Set";
  CheckRomSet({}, no_set, [&](HWND win, std::string) {
    PumpMessagesFor(300);
    return text_at_close = ControlText(FindWindowExW(win, nullptr, L"EDIT", nullptr)), true;
  });
  EXPECT_TRUE(text_at_close == "This game has no ROM set name." && f.CallsWith("-verifyroms") == 3u);
}
