// The Check ROM Set window: the report of a clone whose own zip is sound,
// whose parent's zip is damaged and whose BIOS zip is missing, with the fake
// MAME's verdict; closing before the report arrives; a game without a set.
#include <windows.h>

#include <gtest/gtest.h>

#include "backup/zip_writer.h"
#include "romcheck/rom_check_window_ui_win.h"
#include "scratch_launcher_win.h"
#include "screenshot_win.h"
#include "ui/theme_win.h"

namespace {
constexpr const char* kChecking = "Checking the files\xE2\x80\xA6";

std::string ZipOf(const std::string& member, const std::string& data) {
  ZipWriter zip;
  StartZip(zip);
  AddZipMember(zip, member, data);
  FinishZip(zip);
  return zip.output;
}

size_t VerifyromsCalls(const ScratchLauncher& f) {
  size_t n = 0;
  for (const auto& call : f.Calls()) n += !call.args.empty() && call.args[0] == "-verifyroms";
  return n;
}

HWND ReportOf(HWND window) { return FindWindowExW(window, nullptr, L"EDIT", nullptr); }

struct RomFolder : ScratchLauncher {
  GameList games = BuildGameList();
  explicit RomFolder(size_t game_zip_size = 1000) {
    App().settings.roms_directory = dir.File("roms");
    Write("roms\\sfex2u.zip", ZipOf("u.bin", std::string(game_zip_size, 'u')));
    std::string parent = ZipOf("a.bin", std::string(3000, 'a'));
    parent[30 + 5 + 7] ^= 1;  // a byte of the member's data: its checksum no longer matches
    Write("roms\\sfex2.zip", parent);
  }
  const GameEntry& Clone() const { return *FindGameBySet(games, "sfex2u"); }
};
}  // namespace

TEST(RomCheckWindow, ReportOfAGoodADamagedAndAMissingZip) {
  RomFolder f;
  f.Write("fakemame-control.txt", "verifyroms=wrong\n");
  std::string report;
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    DialogScript s;
    HWND win = nullptr;
    s.Then([&] {
       win = FindModal("Check ROM Set");
       return win != nullptr;
     })
        .Then([&] {
          report = TextOf(ReportOf(win));
          if (report == kChecking) return false;
          SaveWindowScreenshot(win, dark ? "check-rom-set-dark" : "check-rom-set-light");
          PressButton(win, L"Close");
          return true;
        });
    OpenRomCheckWindow(nullptr, f.games, f.Clone());
    EXPECT_TRUE(s.Finished());
  }
  ApplyTheme(false);
  // (The "Checking the files..." text before the report is seen in the next
  // test, whose large zip keeps the task busy; here the report may come first.)
  const std::string expected_start =
      f.Clone().title + "\r\nROMs folder: " + f.dir.File("roms") + "\r\n\r\n" +
      "sfex2u.zip (game): OK - 1 files, 1 KB\r\n"
      "sfex2.zip (parent set): PROBLEM\r\n"
      "    - a.bin: wrong checksum (the file is corrupt)\r\n"
      "coh3002c.zip (BIOS): MISSING - put coh3002c.zip into the ROMs folder\r\n"
      "\r\n1 file(s) missing. 1 file(s) damaged: download them again.\r\n"
      "\r\nMAME's own check (-verifyroms):\r\n";
  EXPECT_EQ(report.substr(0, expected_start.size()), expected_start);
  EXPECT_NE(report.find("sfex2u      : m534002c-59.ic353 (524288 bytes) - INCORRECT CHECKSUM:\r\n"), std::string::npos);
  const std::string verdict = "\r\nMAME found a problem (exit code 2): see the lines above.";
  EXPECT_EQ(report.substr(report.size() - verdict.size()), verdict);
  EXPECT_EQ(report.find("\n\n"), std::string::npos);  // every line end is CRLF
}

TEST(RomCheckWindow, ClosedBeforeTheReportArrivesLeavesNothingBehind) {
  RomFolder f;
  f.Write("fakemame-control.txt", "verifyroms-delay-ms=3000\n");  // MAME keeps the task busy
  std::string text_at_close;
  DialogScript s;
  s.Then([&] {
    HWND win = FindModal("Check ROM Set");
    if (!win) return false;
    text_at_close = TextOf(ReportOf(win));
    PressButton(win, L"Close");
    return true;
  });
  OpenRomCheckWindow(nullptr, f.games, f.Clone());
  EXPECT_TRUE(s.Finished());
  EXPECT_EQ(text_at_close, kChecking);
  EXPECT_EQ(FindWindowW(L"KorvoModal", L"Check ROM Set"), nullptr);
  // The worker goes on to its end; its report finds no window and is dropped.
  for (int i = 0; i < 200 && VerifyromsCalls(f) == 0; ++i) PumpMessagesFor(50);
  PumpMessagesFor(3500);
  EXPECT_EQ(VerifyromsCalls(f), 1u);
  EXPECT_EQ(FindWindowW(L"KorvoModal", L"Check ROM Set"), nullptr);
}

TEST(RomCheckWindow, AGameWithoutASetNameStartsNoCheck) {
  ScratchLauncher f;
  GameList games;
  GameEntry entry;
  entry.title = "No Set";
  std::string text;
  DialogScript s;
  s.Then([&] {
    HWND win = FindModal("Check ROM Set");
    if (!win) return false;
    PumpMessagesFor(300);
    text = TextOf(ReportOf(win));
    PressButton(win, L"Close");
    return true;
  });
  OpenRomCheckWindow(nullptr, games, entry);
  EXPECT_TRUE(s.Finished());
  EXPECT_EQ(text, "This game has no ROM set name.");
  EXPECT_EQ(VerifyromsCalls(f), 0u);
}
