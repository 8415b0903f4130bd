// The desktop shortcut read back through the shell's own link interface.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>

#include "base/paths.h"
#include "base/utf16_win.h"
#include "launch/shortcut.h"
#include "win_test_support.h"

namespace {
struct LinkContent {
  std::wstring target, arguments, folder, description;
};

bool ReadLink(const std::string& file, LinkContent& out) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
            SUCCEEDED(persist->Load(Utf8ToUtf16(file).c_str(), STGM_READ));
  wchar_t text[4096];
  if (ok && SUCCEEDED(link->GetPath(text, 4096, nullptr, SLGP_RAWPATH))) out.target = text;
  if (ok && SUCCEEDED(link->GetArguments(text, 4096))) out.arguments = text;
  if (ok && SUCCEEDED(link->GetWorkingDirectory(text, 4096))) out.folder = text;
  if (ok && SUCCEEDED(link->GetDescription(text, 4096))) out.description = text;
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return ok;
}
}  // namespace

TEST(ShortcutWin, LinkOnTheDesktopStartsMameFullScreen) {
  WinTempDir dir;
  SetLauncherFolder(dir.path());
  std::ofstream(Utf8ToUtf16(dir.File("mame.exe")).c_str()) << "x";
  Settings s;
  ResetSettings(s);
  s.skip_warnings = 1;
  GameList games = BuildGameList();
  GameEntry& entry = const_cast<GameEntry&>(*FindGameBySet(games, "sfex2"));
  entry.title = "Street Fighter EX2: Who? (Test)";

  std::string reason;
  ASSERT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;
  std::optional<std::string> desktop = DesktopFolder();
  ASSERT_TRUE(desktop);
  std::string file = *desktop + "\\" + ShortcutFileNameOf(games, entry) + ".lnk";
  EXPECT_EQ(file.find_first_of(":?", 2), std::string::npos) << file;
  ASSERT_NE(GetFileAttributesW(Utf8ToUtf16(file).c_str()), INVALID_FILE_ATTRIBUTES) << file;

  LinkContent link;
  ASSERT_TRUE(ReadLink(file, link));
  EXPECT_EQ(Utf16ToUtf8(link.target), dir.File("mame.exe"));
  std::string arguments = Utf16ToUtf8(link.arguments);
  EXPECT_EQ(arguments.rfind("sfex2 ", 0), 0u);
  EXPECT_NE(arguments.find(" -nowindow "), std::string::npos);
  EXPECT_EQ(arguments.find("-plugin"), std::string::npos);
  EXPECT_EQ(arguments.find("-keyboardprovider"), std::string::npos);
  EXPECT_EQ(Utf16ToUtf8(link.folder), dir.path());
  EXPECT_EQ(Utf16ToUtf8(link.description), entry.title);

  // A second shortcut of the same game replaces the first.
  EXPECT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;
  DeleteFileW(Utf8ToUtf16(file).c_str());
}

TEST(ShortcutWin, GamesOfOneTitleGetTwoShortcuts) {
  WinTempDir dir;
  SetLauncherFolder(dir.path());
  std::ofstream(Utf8ToUtf16(dir.File("mame.exe")).c_str()) << "x";
  Settings s;
  ResetSettings(s);
  GameList games = BuildGameList();
  // MAME 0.251 gives kartduel the title the table has for kartduelja.
  GameEntry& kartduel = const_cast<GameEntry&>(*FindGameBySet(games, "kartduel"));
  kartduel.title = "Kart Duel (Japan, KTD1/VER.A)";
  std::optional<std::string> desktop = DesktopFolder();
  ASSERT_TRUE(desktop);
  std::string reason;
  std::vector<std::string> files;
  for (const char* set : {"kartduel", "kartduelja"}) {
    const GameEntry& entry = *FindGameBySet(games, set);
    ASSERT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;
    files.push_back(*desktop + "\\" + ShortcutFileNameOf(games, entry) + ".lnk");
  }
  ASSERT_NE(files[0], files[1]);
  for (size_t i = 0; i < 2; ++i) {
    LinkContent link;
    ASSERT_TRUE(ReadLink(files[i], link)) << files[i];
    EXPECT_EQ(Utf16ToUtf8(link.arguments).rfind(i == 0 ? "kartduel " : "kartduelja ", 0), 0u);
    DeleteFileW(Utf8ToUtf16(files[i]).c_str());
  }
}
