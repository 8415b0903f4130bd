// korvo.exe started for real under Wine: one launcher per folder, the
// earlier launcher's files carried over, and damaged settings survived.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "base/file_system.h"
#include "base/utf16_win.h"
#include "win_test_support.h"

namespace {
struct MainWindows {
  std::vector<HWND> windows;
  DWORD pid = 0;  // 0: any process
};

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<MainWindows*>(param);
  wchar_t name[32];
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (GetClassNameW(window, name, 32) && !lstrcmpW(name, L"KorvoMain") && (!found->pid || pid == found->pid))
    found->windows.push_back(window);
  return TRUE;
}

std::vector<HWND> KorvoWindows(DWORD pid = 0) {
  MainWindows found;
  found.pid = pid;
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&found));
  return found.windows;
}

HWND WaitForWindowOf(HANDLE process, DWORD ms = 20000) {
  DWORD pid = GetProcessId(process);
  for (DWORD waited = 0; waited < ms; waited += 100) {
    auto windows = KorvoWindows(pid);
    if (!windows.empty()) return windows[0];
    if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

// A launcher folder holding its own copy of korvo.exe.
struct LauncherCopy {
  WinTempDir dir;
  std::string exe;
  LauncherCopy() : exe(dir.File("korvo.exe")) { CopyInto(TestBuildFolder() + "\\korvo.exe", exe); }
};

// The status bar of another process's main window (part 0).
std::string StatusBarText(HWND window) {
  HWND status = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
  wchar_t text[512] = L"";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(status, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
  return Utf16ToUtf8(text);
}

void CloseAndWait(HANDLE process, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitExit(process, 20000), 0);
  CloseHandle(process);
}
}  // namespace

TEST(StartupWin, OneLauncherPerFolderAndSideBySideAcrossFolders) {
  LauncherCopy a, b;
  HANDLE first = StartProgram(a.exe, "");
  ASSERT_TRUE(first);
  HWND first_window = WaitForWindowOf(first);
  ASSERT_TRUE(first_window) << "the first launcher showed no KorvoMain window";

  // Same folder, also with a game named: brings the first forward, starts nothing.
  for (const char* tail : {"", "--game sfex2"}) {
    HANDLE second = StartProgram(a.exe, tail);
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitExit(second, 20000), 0) << tail;
    CloseHandle(second);
  }
  EXPECT_EQ(KorvoWindows(GetProcessId(first)).size(), 1u);
  EXPECT_FALSE(FileExists(a.dir.File("mame-call.txt")));

  // Another folder runs beside it.
  HANDLE other = StartProgram(b.exe, "");
  ASSERT_TRUE(other);
  HWND other_window = WaitForWindowOf(other);
  EXPECT_TRUE(other_window);
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  if (other_window) CloseAndWait(other, other_window);
  CloseAndWait(first, first_window);
}

TEST(StartupWin, OneLauncherPerFolderWhateverTheCaseOfItsLetters) {
  // The folder "Łódź" reached once by that name and once as "łódź".
  WinTempDir dir;
  std::string upper = dir.File("\xC5\x81\xC3\xB3" "d\xC5\xBA"), lower = dir.File("\xC5\x82\xC3\xB3" "d\xC5\xBA");
  ASSERT_TRUE(CreateDirectoryW(Utf8ToUtf16(upper).c_str(), nullptr));
  ASSERT_TRUE(CopyInto(TestBuildFolder() + "\\korvo.exe", upper + "\\korvo.exe"));
  ASSERT_TRUE(FileExists(lower + "\\korvo.exe")) << "the file system does not fold this case";
  HANDLE first = StartProgram(upper + "\\korvo.exe", "");
  ASSERT_TRUE(first);
  HWND first_window = WaitForWindowOf(first);
  ASSERT_TRUE(first_window);
  HANDLE second = StartProgram(lower + "\\korvo.exe", "");
  ASSERT_TRUE(second);
  EXPECT_EQ(WaitExit(second, 20000), 0);
  CloseHandle(second);
  EXPECT_EQ(KorvoWindows().size(), 1u);
  CloseAndWait(first, first_window);
}

TEST(StartupWin, MigratesEarlierFilesAndLoadsThem) {
  LauncherCopy l;
  ASSERT_TRUE(WriteFileAtomic(l.dir.File("dravo-settings.cfg"), "video=2\r\nfavorites=5,7\r\n"));
  ASSERT_TRUE(WriteFileAtomic(l.dir.File("dravo-combos.cfg"), "combos"));
  HANDLE p = StartProgram(l.exe, "");
  ASSERT_TRUE(p);
  HWND w = WaitForWindowOf(p);
  ASSERT_TRUE(w);
  CloseAndWait(p, w);  // closing saves korvo-settings.cfg
  EXPECT_FALSE(FileExists(l.dir.File("dravo-settings.cfg")));
  auto saved = ReadWholeFile(l.dir.File("korvo-settings.cfg"));
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("\r\nvideo=2\r\n"), std::string::npos);
  EXPECT_NE(saved->find("\r\nfavorites=5,7\r\n"), std::string::npos);
  EXPECT_EQ(*ReadWholeFile(l.dir.File("korvo-combos.cfg")), "combos");
}

TEST(StartupWin, MissingGarbageEditedAndUnreadableSettingsStillStart) {
  std::string junk;
  for (int i = 0; i < 100000; ++i) junk += static_cast<char>((i * 131) & 0xFF);
  // Notepad's "Unicode": UTF-16 with its mark and CRLF.
  const std::wstring notepad = L"\xFEFFvideo=2\r\nfavorites=5,7\r\nextra_arguments=-speed 2\r\n";
  const std::string utf16(reinterpret_cast<const char*>(notepad.data()), notepad.size() * 2);
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  struct Case {
    std::string bytes;  // empty: no file
    std::vector<std::string> lines;
  } cases[] = {
      {"", {"prescale=1"}},
      {junk + "\nprescale=99\n", {"prescale=8"}},
      {utf16, {"video=2", "favorites=5,7", "extra_arguments=-speed 2"}},
      {utf32, {"video=0", "favorites="}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines[0]);
    LauncherCopy l;
    if (!c.bytes.empty()) ASSERT_TRUE(WriteFileAtomic(l.dir.File("korvo-settings.cfg"), c.bytes));
    HANDLE p = StartProgram(l.exe, "");
    ASSERT_TRUE(p);
    HWND w = WaitForWindowOf(p);
    ASSERT_TRUE(w);
    const bool unreadable = c.bytes == utf32;
    if (unreadable) {
      // Said once in the status bar when the list has come.
      const std::string note = "Could not read korvo-settings.cfg: it is kept as korvo-settings.cfg.unreadable and "
                               "the defaults are used";
      std::string shown;
      for (int tries = 0; tries < 200 && shown != note; ++tries, Sleep(100)) shown = StatusBarText(w);
      EXPECT_EQ(shown, note);
    }
    CloseAndWait(p, w);
    auto saved = ReadWholeFile(l.dir.File("korvo-settings.cfg"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rfind("; Korvo settings", 0), 0u);
    for (const std::string& line : c.lines) EXPECT_NE(saved->find("\r\n" + line + "\r\n"), std::string::npos) << line;
    auto kept = ReadWholeFile(l.dir.File("korvo-settings.cfg.unreadable"));
    EXPECT_EQ(kept.has_value(), unreadable);
    if (kept) EXPECT_EQ(*kept, c.bytes);
  }
}

// A launcher restarting itself (a theme change) starts the new one while it
// still holds the folder's name: the new one waits for it instead of leaving.
TEST(StartupWin, ARestartedLauncherWaitsForTheOldOne) {
  LauncherCopy a;
  HANDLE old_launcher = StartProgram(a.exe, "");
  ASSERT_TRUE(old_launcher);
  HWND old_window = WaitForWindowOf(old_launcher);
  ASSERT_TRUE(old_window);
  HANDLE restarted = StartProgram(a.exe, "--restarted");
  ASSERT_TRUE(restarted);
  EXPECT_EQ(WaitForSingleObject(restarted, 1000), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseAndWait(old_launcher, old_window);
  HWND new_window = WaitForWindowOf(restarted);
  ASSERT_TRUE(new_window) << "the restarted launcher gave up";
  CloseAndWait(restarted, new_window);
}
