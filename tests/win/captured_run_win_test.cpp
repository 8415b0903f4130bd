// The captured run against the fake MAME under Windows: big answers arrive
// whole, a hang is ended within its limit, a missing program does not start,
// and the listing cache notices a replaced program.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/app_state.h"
#include "app/paths.h"
#include "app/utf16_win.h"
#include "catalogue/listing.h"
#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "win_test_support.h"

namespace {
std::string FakeMameExe() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::string path = Utf16ToUtf8(self);
  return path.substr(0, path.rfind('\\')) + "\\tools\\fakemame\\mame.exe";
}

// A private copy, so that its control file does not disturb other tests.
std::string CopyFake(const WinTempDir& dir, const std::string& control) {
  std::string target = dir.File("mame.exe");
  CopyFileW(Utf8ToUtf16(FakeMameExe()).c_str(), Utf8ToUtf16(target).c_str(), FALSE);
  std::ofstream(Utf8ToUtf16(dir.File("fakemame-control.txt")).c_str(), std::ios::binary) << control;
  return target;
}

int CountProcesses(const std::wstring& exe_name) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry))
    if (_wcsicmp(entry.szExeFile, exe_name.c_str()) == 0) ++count;
  CloseHandle(snap);
  return count;
}
}  // namespace

TEST(CapturedRunWin, MegabyteOfOutputArrivesWhole) {
  WinTempDir dir;
  std::string fake = CopyFake(dir, "bytes=1048576\nexit=3\n");
  TextBuffer out;
  int32_t code = -1;
  ASSERT_EQ(RunProgramCaptured(fake, dir.path(), "sfex2", out, 30000, &code), kCapturedEnded);
  EXPECT_EQ(out.size(), 1048576u);
  EXPECT_EQ(code, 3);
}

TEST(CapturedRunWin, ListingAnswerMatchesTheRecording) {
  WinTempDir dir;
  std::string fake = CopyFake(dir, "");
  TextBuffer out;
  ASSERT_EQ(RunProgramCaptured(fake, dir.path(), "-listfull", out, 60000), kCapturedEnded);
  EXPECT_GT(out.size(), 2000000u);
  EXPECT_EQ(out.rfind("Name:", 0), 0u);
}

TEST(CapturedRunWin, HangIsEndedWithinTheLimit) {
  WinTempDir dir;
  std::string fake = CopyFake(dir, "print=started\\n\nhang=1\n");
  int before = CountProcesses(L"mame.exe");
  TextBuffer out;
  ULONGLONG start = GetTickCount64();
  EXPECT_EQ(RunProgramCaptured(fake, dir.path(), "sfex2", out, 1000), kCapturedTimedOut);
  EXPECT_LT(GetTickCount64() - start, 4000u);
  EXPECT_EQ(out, "started\n");
  EXPECT_EQ(CountProcesses(L"mame.exe"), before);
}

TEST(CapturedRunWin, MissingProgramGivesResultTwo) {
  WinTempDir dir;
  TextBuffer out = "stale";
  EXPECT_EQ(RunProgramCaptured(dir.File("mame.exe"), dir.path(), "-listfull", out, 1000), kCapturedNotStarted);
  EXPECT_EQ(out, "");
}


namespace {
size_t ListfullCalls(const WinTempDir& dir) {
  std::ifstream in(Utf8ToUtf16(dir.File("fakemame-calls.txt")).c_str(), std::ios::binary);
  std::string line;
  size_t n = 0;
  while (std::getline(in, line)) n += line.rfind("arg=-listfull", 0) == 0;
  return n;
}

bool SetWriteTime(const std::string& path, ULONGLONG time) {
  HANDLE h = CreateFileW(Utf8ToUtf16(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  bool ok = h != INVALID_HANDLE_VALUE && SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
  return ok;
}
}  // namespace

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
  GameList first = load();
  EXPECT_EQ(ListfullCalls(dir), 1u);
  EXPECT_EQ(FindGameBySet(first, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  load();
  EXPECT_EQ(ListfullCalls(dir), 1u);

  ASSERT_TRUE(SetWriteTime(dir.File("mame.exe"), 132000000000000000ull));
  GameList again = load();
  EXPECT_EQ(ListfullCalls(dir), 2u);
  EXPECT_EQ(again[22].title, first[22].title);
  load();
  EXPECT_EQ(ListfullCalls(dir), 2u);
  SetLauncherFolder("");
}
