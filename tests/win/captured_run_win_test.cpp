// The captured run against the fake MAME under Windows: big answers arrive
// whole, a hang is ended within its limit, a missing program does not start,
// and the listing cache notices a replaced program.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>

#include "settings/app_state.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "catalogue/listing.h"
#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "win_test_support.h"

namespace {
// A private copy of the fake, so that its control file disturbs no other test.
std::string CopyFake(const WinTempDir& dir, const std::string& control) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring fake = self;
  fake = fake.substr(0, fake.rfind(L'\\')) + L"\\tools\\fakemame\\mame.exe";
  std::string target = dir.File("mame.exe");
  CopyFileW(fake.c_str(), Utf8ToUtf16(target).c_str(), FALSE);
  std::ofstream(Utf8ToUtf16(dir.File("fakemame-control.txt")).c_str(), std::ios::binary) << control;
  return target;
}

int CountProcesses(const wchar_t* exe_name) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry))
    count += _wcsicmp(entry.szExeFile, exe_name) == 0;
  CloseHandle(snap);
  return count;
}
}  // namespace

// Each test runs the fake both ways a MAME may print: in one write, and a
// line at a time through the C library as a real mame.exe does.
const char* const kPrintWays[] = {"", "print-lines=1\n"};

TEST(CapturedRunWin, AnswersArriveWholeBothWays) {
  std::string listings[2];
  for (int way = 0; way < 2; ++way) {
    SCOPED_TRACE(kPrintWays[way]);
    WinTempDir dir;
    std::string fake = CopyFake(dir, std::string(kPrintWays[way]) + "bytes=1048576\nexit=3\n");
    TextBuffer out;
    int32_t code = -1;
    ASSERT_EQ(RunProgramCaptured(fake, dir.path(), "sfex2", out, 30000, &code), kCapturedEnded);
    EXPECT_EQ(out.size(), 1048576u);
    EXPECT_EQ(code, 3);
    ASSERT_EQ(RunProgramCaptured(fake, dir.path(), "-listfull", out, 60000), kCapturedEnded);
    EXPECT_GT(out.size(), 2000000u);
    EXPECT_EQ(out.rfind("Name:", 0), 0u);
    listings[way] = out;
  }
  EXPECT_TRUE(listings[0] == listings[1]) << "the answers printed line by line differ";
}

TEST(CapturedRunWin, HangEndsWithinTheLimitAndMissingDoesNotStart) {
  for (const char* way : kPrintWays) {
    SCOPED_TRACE(way);
    WinTempDir dir;
    std::string fake = CopyFake(dir, std::string(way) + "print=started\\n\nhang=1\n");
    int before = CountProcesses(L"mame.exe");
    TextBuffer out;
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(RunProgramCaptured(fake, dir.path(), "sfex2", out, 1000), kCapturedTimedOut);
    EXPECT_LT(GetTickCount64() - start, 4000u);
    EXPECT_EQ(out, "started\n");
    EXPECT_EQ(CountProcesses(L"mame.exe"), before);

    EXPECT_EQ(RunProgramCaptured(dir.File("none.exe"), dir.path(), "-listfull", out, 1000), kCapturedNotStarted);
    EXPECT_EQ(out, "");
  }
}

TEST(CapturedRunWin, ListingCacheFollowsTheProgramFile) {
  WinTempDir dir;
  CopyFake(dir, "");
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  auto load = [] {
    GameList list = BuildGameList();
    LoadMameListing(list, false, LocatedMameAsker());
    return list;
  };
  auto listfull_calls = [&dir] {
    std::ifstream in(Utf8ToUtf16(dir.File("fakemame-calls.txt")).c_str(), std::ios::binary);
    size_t n = 0;
    for (std::string line; std::getline(in, line);) n += line.rfind("arg=-listfull", 0) == 0;
    return n;
  };
  EXPECT_EQ(FindGameBySet(load(), "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  load();
  EXPECT_EQ(listfull_calls(), 1u);

  // Same size, another time: another build of MAME.
  HANDLE h = CreateFileW(Utf8ToUtf16(dir.File("mame.exe")).c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME time{0x12345678, 0x01d5a000};
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &time));
  CloseHandle(h);
  EXPECT_EQ(FindGameBySet(load(), "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  load();
  EXPECT_EQ(listfull_calls(), 2u);
  SetLauncherFolder("");
}
