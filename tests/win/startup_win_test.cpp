// korvo.exe started for real: one launcher per folder, earlier files, unreadable settings, a restart.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "scratch_launcher_win.h"

namespace {
ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

HWND WindowOf(HANDLE process) {
  for (DWORD waited = 0; waited < 30000; waited += 100) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"KorvoMain", nullptr));) {
      DWORD pid = 0;
      if (GetWindowThreadProcessId(w, &pid) && pid == GetProcessId(process)) return w;
    }
    if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0) break;
  }
  return nullptr;
}

bool Closed(HANDLE process) {
  PostMessageW(WindowOf(process), WM_CLOSE, 0, 0);
  return WaitExit(process, 10000) == 0;
}

// The launchers a test started; those still running at its end (it failed) are ended.
struct Launchers {
  std::vector<HANDLE> all;
  DWORD error = 0;  // why the last start failed
  HANDLE Start(const std::string& exe, const std::string& tail = "") {
    HANDLE process = StartProgram(exe, tail);
    return error = process ? 0 : GetLastError(), all.push_back(process), process;
  }
  ~Launchers() { for (HANDLE process : all) TerminateProcess(process, 1), CloseHandle(process); }
};
}  // namespace

TEST(StartupWin, OneLauncherPerFolderWhateverItsCaseEarlierFilesUnreadableSettingsAndARestart) {
  ScratchLauncher a;
  ASSERT_TRUE(CopyInto(TestBuildFolder() + "\\korvo.exe", a.dir.File("korvo.exe")));
  // The folder "Łódź" reached once by that name and once as "łódź".
  std::string upper = a.dir.File("\xC5\x81\xC3\xB3" "d\xC5\xBA"), lower = a.dir.File("\xC5\x82\xC3\xB3" "d\xC5\xBA");
  ASSERT_TRUE(CreateFolder(upper));
  ASSERT_TRUE(CopyInto(a.dir.File("korvo.exe"), upper + "\\korvo.exe"));
  ASSERT_TRUE(CopyInto(a.dir.File("mame.exe"), upper + "\\mame.exe"));
  ASSERT_TRUE(FileExists(lower + "\\korvo.exe")) << "the file system does not fold this case";
  Launchers started;
  // The first one also keeps the start's timing marks, which the bench reads.
  const ULONGLONG begun = Now();
  SetEnvironmentVariableW(L"KORVO_TIMING", Utf8ToUtf16(a.dir.File("timing.txt")).c_str());
  HANDLE first = started.Start(upper + "\\korvo.exe");
  SetEnvironmentVariableW(L"KORVO_TIMING", nullptr);
  ASSERT_TRUE(WindowOf(first)) << "no first window; start error " << started.error << ", exit " << WaitExit(first, 0);
  // The same folder, also with a game named: brings the first forward, starts nothing.
  for (const char* tail : {"", "--game sfex2"}) ASSERT_EQ(WaitExit(started.Start(lower + "\\korvo.exe", tail), 10000), 0) << tail;
  for (const auto& call : fakemame::ParseCalls(ReadWholeFile(upper + "\\fakemame-calls.txt").value_or("")))
    EXPECT_NE(call.args.at(0), "sfex2");

  // Another folder beside it: earlier files carried over, unreadable settings kept aside and said, saved on closing.
  // The system's apps are dark, and so is the launcher in its default look, which follows the system.
  const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  const DWORD light = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  a.Write("korvo-settings.cfg", utf32);
  a.Write("dravo-combos.cfg", "step_ms=40\r\n");
  a.Write("fakemame-control.txt", "listxml-delay-ms=60000\n");  // still asked how well the sets run when closed
  HANDLE other = started.Start(a.dir.File("korvo.exe"));
  HWND window = WindowOf(other);
  const std::string note = "Could not read korvo-settings.cfg: it is kept as korvo-settings.cfg.unreadable and "
                           "the defaults are used";
  auto status = [window] {  // another process's control: its text asked for, not the caption the system keeps
    wchar_t text[512] = L"";
    SendMessageTimeoutW(FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr), WM_GETTEXT, 512,
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return Utf16ToUtf8(text);
  };
  EXPECT_TRUE(WaitFor([&] { return status() == note; })) << status();
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  const bool closed = Closed(other);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
  ASSERT_TRUE(closed) << "the launcher did not end after its window closed";
  EXPECT_TRUE(WaitFor([] { return CountProcesses(L"mame.exe") == 0; })) << "the MAME it asked runs on";
  EXPECT_EQ(a.Read("korvo-settings.cfg").rfind("; Korvo settings", 0), 0u);
  EXPECT_NE(a.Read("korvo-settings.cfg").find("\ndark_theme=1\r\n"), std::string::npos);
  EXPECT_EQ(a.Read("korvo-settings.cfg.unreadable") + a.Read("korvo-combos.cfg"), utf32 + "step_ms=40\r\n");
  EXPECT_FALSE(a.Exists("dravo-combos.cfg"));

  // A theme change asks for a restart: Yes starts a new launcher, which waits for this one to let go of the folder.
  PostMessageW(WindowOf(first), WM_COMMAND, 226, 0);  // View > Theme > Dark
  HWND box = nullptr, again = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindBox("Theme")) != nullptr; }));  // shown, so that it takes the click
  Press(box, IDYES);
  ASSERT_EQ(WaitExit(first, 10000), 0);
  EXPECT_TRUE(WaitFor([&] { return (again = FindWindowW(L"KorvoMain", nullptr)) != nullptr; }, 30000));
  DWORD pid = 0;
  GetWindowThreadProcessId(again, &pid);
  HANDLE restarted = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  started.all.push_back(restarted);
  // Each phase, stamped with the time of day and the time since the process began.
  std::istringstream marks(a.Read("timing.txt"));
  std::set<std::string> phases;
  ULONGLONG at = 0, previous = begun;
  double ms = 0;
  for (std::string phase; marks >> at >> ms && std::getline(marks, phase); previous = at) {
    if (phase == " entry" && phases.count(phase)) break;  // the restarted launcher's own marks follow
    EXPECT_TRUE(at >= previous && at <= Now() && ms >= 0 && ms <= (at - begun) / 10000.0 + 1000) << at << phase;
    phases.insert(phase);
  }
  EXPECT_EQ(phases, (std::set<std::string>{" entry", " settings loaded", " ui initialised", " main window created",
                                           " main window shown", " pages filled", " main window updated",
                                           " main window painted", " list arrived", " filter choices", " list painted",
                                           " refill done", " refill painted"}));
  ASSERT_TRUE(WindowOf(restarted)) << "the restarted launcher gave up";
  EXPECT_TRUE(Closed(restarted));
}
