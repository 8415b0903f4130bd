// Desktop shortcuts read back through the shell's own link interface.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "launch/shortcut.h"
#include "scratch_launcher_win.h"

TEST(ShortcutWin, LinkOnTheDesktopStartsMameFullScreenAndASecondReplacesIt) {
  ScratchLauncher f;
  Settings s;
  ResetSettings(s);
  GameList games = BuildGameList();
  // A title with characters a file name cannot hold.
  const_cast<GameEntry*>(FindGameBySet(games, "sfex2"))->title = "Street Fighter EX2: Who? (Test)";
  const GameEntry& entry = *FindGameBySet(games, "sfex2");
  std::string reason;
  ASSERT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;
  ASSERT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;  // replaces the first
  const std::string file = *DesktopFolder() + "\\" + ShortcutFileNameOf(games, entry) + ".lnk";

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&link))));
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
  ASSERT_TRUE(SUCCEEDED(persist->Load(Utf8ToUtf16(file).c_str(), STGM_READ)));
  wchar_t texts[5][4096] = {};
  int icon = -1;
  link->GetPath(texts[0], 4096, nullptr, SLGP_RAWPATH);
  link->GetArguments(texts[1], 4096);
  link->GetWorkingDirectory(texts[2], 4096);
  link->GetDescription(texts[3], 4096), link->GetIconLocation(texts[4], 4096, &icon);
  persist->Release(), link->Release(), CoUninitialize();
  const std::string arguments = Utf16ToUtf8(texts[1]);
  EXPECT_TRUE(arguments.rfind("sfex2 ", 0) == 0 && arguments.find(" -nowindow ") != std::string::npos) << arguments;
  EXPECT_EQ(Utf16ToUtf8(texts[0]) + "|" + Utf16ToUtf8(texts[2]) + "|" + Utf16ToUtf8(texts[3]) + "|" + Utf16ToUtf8(texts[4]),
            f.dir.File("mame.exe") + "|" + f.dir.path() + "|" + entry.title + "|" + LauncherProgramPath());
  DeleteFileW(Utf8ToUtf16(file).c_str());
}
