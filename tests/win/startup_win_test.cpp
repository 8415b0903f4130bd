// korvo.exe started for real under Wine: one launcher per folder, a restart
// that waits for the old one, earlier files carried over, damaged settings survived.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "scratch_launcher_win.h"

namespace {
// The main window of a process, once it shows.
HWND WindowOf(HANDLE process) {
  std::pair<DWORD, HWND> found = {GetProcessId(process), nullptr};
  for (DWORD waited = 0; !found.second && waited < 30000; waited += 100) {
    EnumWindows(
        [](HWND window, LPARAM param) {
          auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
          wchar_t name[32];
          DWORD pid = 0;
          GetWindowThreadProcessId(window, &pid);
          if (pid == found->first && GetClassNameW(window, name, 32) && !lstrcmpW(name, L"KorvoMain"))
            found->second = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found.second && WaitForSingleObject(process, 100) == WAIT_OBJECT_0) break;
  }
  return found.second;
}

// Closes the window as a user does; true once the launcher has ended well.
bool Closed(HANDLE process) {
  PostMessageW(WindowOf(process), WM_CLOSE, 0, 0);
  return WaitExit(process, 10000) == 0;
}

// The launchers a test started; those still running at its end (it failed) are ended.
struct Launchers {
  std::vector<HANDLE> all;
  HANDLE Start(const std::string& exe, const std::string& tail = "") {
    all.push_back(StartProgram(exe, tail));
    return all.back();
  }
  ~Launchers() {
    for (HANDLE process : all) TerminateProcess(process, 1), CloseHandle(process);
  }
};

// A launcher folder with its own korvo.exe and the fake MAME, and settings as given.
struct Folder : ScratchLauncher {
  explicit Folder(const std::string& settings = "") {
    CopyInto(TestBuildFolder() + "\\korvo.exe", dir.File("korvo.exe"));
    if (!settings.empty()) Write("korvo-settings.cfg", settings);
  }
};
}  // namespace

TEST(StartupWin, OneLauncherPerFolderWhateverTheCaseOfItsLettersAndARestartWaits) {
  // The folder "Łódź" reached once by that name and once as "łódź".
  Folder a;
  std::string upper = a.dir.File("\xC5\x81\xC3\xB3" "d\xC5\xBA"), lower = a.dir.File("\xC5\x82\xC3\xB3" "d\xC5\xBA");
  ASSERT_TRUE(CreateFolder(upper));
  ASSERT_TRUE(CopyInto(a.dir.File("korvo.exe"), upper + "\\korvo.exe"));
  ASSERT_TRUE(CopyInto(a.dir.File("mame.exe"), upper + "\\mame.exe"));
  ASSERT_TRUE(FileExists(lower + "\\korvo.exe")) << "the file system does not fold this case";
  Launchers started;
  HANDLE first = started.Start(upper + "\\korvo.exe");
  ASSERT_TRUE(WindowOf(first)) << "the first launcher showed no window";
  // The same folder, also with a game named: brings the first forward, starts nothing.
  for (const char* tail : {"", "--game sfex2"}) {
    ASSERT_EQ(WaitExit(started.Start(lower + "\\korvo.exe", tail), 10000), 0) << tail;
  }
  EXPECT_EQ(ReadWholeFile(upper + "\\fakemame-calls.txt").value_or("").find("arg=sfex2"), std::string::npos);

  // Another folder runs beside it.
  HANDLE other = started.Start(a.dir.File("korvo.exe"));
  EXPECT_TRUE(WindowOf(other));
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(Closed(other)) << "the launcher did not end after its window closed";

  // A launcher restarting itself (a theme change) starts the new one while it
  // still holds the folder's name: the new one waits for it instead of leaving.
  HANDLE restarted = started.Start(upper + "\\korvo.exe", "--restarted");
  EXPECT_EQ(WaitForSingleObject(restarted, 1000), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(Closed(first));
  ASSERT_TRUE(WindowOf(restarted)) << "the restarted launcher gave up";
  EXPECT_TRUE(Closed(restarted));
}

// Each folder's launcher starts at once, side by side, and saves on closing.
TEST(StartupWin, EarlierFilesGarbageEditedAndUnreadableSettingsStillStart) {
  std::string junk;
  for (int i = 0; i < 100000; ++i) junk += static_cast<char>((i * 131) & 0xFF);
  // Notepad's "Unicode": UTF-16 with its mark and CRLF.
  const std::wstring notepad = L"\xFEFFvideo=2\r\nfavorites=5,7\r\nextra_arguments=-speed 2\r\n";
  const std::string utf16(reinterpret_cast<const char*>(notepad.data()), notepad.size() * 2);
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  const struct {
    std::string bytes;  // empty: the earlier launcher's files instead
    std::vector<std::string> lines;
  } kCases[] = {
      {"", {"video=2", "favorites=5,7"}},
      {junk + "\nprescale=99\n", {"prescale=8"}},
      {utf16, {"video=2", "favorites=5,7", "extra_arguments=-speed 2"}},
      {utf32, {"video=0", "favorites="}},
  };
  std::vector<std::unique_ptr<Folder>> folders;
  Launchers launchers;
  for (const auto& c : kCases) {
    folders.push_back(std::make_unique<Folder>(c.bytes));
    if (c.bytes.empty()) {
      folders.back()->Write("dravo-settings.cfg", "video=2\r\nfavorites=5,7\r\n");
      folders.back()->Write("dravo-combos.cfg", "combos");
    }
    launchers.Start(folders.back()->dir.File("korvo.exe"));
  }
  for (size_t i = 0; i < folders.size(); ++i) {
    const auto& c = kCases[i];
    const Folder& f = *folders[i];
    SCOPED_TRACE(c.lines[0]);
    HWND window = WindowOf(launchers.all[i]);
    ASSERT_TRUE(window);
    if (c.bytes == utf32) {
      // Said in the status bar when the list has come.
      const std::string note = "Could not read korvo-settings.cfg: it is kept as korvo-settings.cfg.unreadable and "
                               "the defaults are used";
      HWND status = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
      std::string shown;
      for (int tries = 0; tries < 150 && shown != note; ++tries, Sleep(100)) {
        wchar_t text[512] = L"";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(status, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
        shown = Utf16ToUtf8(text);
      }
      EXPECT_EQ(shown, note);
    }
    ASSERT_TRUE(Closed(launchers.all[i])) << "the launcher did not end after its window closed";
    std::string saved = f.Read("korvo-settings.cfg");
    EXPECT_EQ(saved.rfind("; Korvo settings", 0), 0u);
    for (const std::string& line : c.lines) EXPECT_NE(saved.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    EXPECT_EQ(f.Read("korvo-settings.cfg.unreadable"), c.bytes == utf32 ? utf32 : "<missing>");
    if (c.bytes.empty()) {
      EXPECT_FALSE(f.Exists("dravo-settings.cfg"));
      EXPECT_EQ(f.Read("korvo-combos.cfg"), "combos");
    }
  }
}
