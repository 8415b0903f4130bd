// Desktop shortcuts read back through the shell's own link interface (their
// names and arguments are the native tests' matter).
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
  EXPECT_EQ(file.find_first_of(":?", 2), std::string::npos) << file;

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&link))));
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
  ASSERT_TRUE(SUCCEEDED(persist->Load(Utf8ToUtf16(file).c_str(), STGM_READ)));
  wchar_t target[4096] = L"", arguments[4096] = L"", folder[4096] = L"", description[4096] = L"";
  link->GetPath(target, 4096, nullptr, SLGP_RAWPATH);
  link->GetArguments(arguments, 4096);
  link->GetWorkingDirectory(folder, 4096);
  link->GetDescription(description, 4096);
  persist->Release();
  link->Release();
  CoUninitialize();
  EXPECT_EQ(Utf16ToUtf8(target), f.dir.File("mame.exe"));
  EXPECT_EQ(Utf16ToUtf8(arguments).rfind("sfex2 ", 0), 0u) << Utf16ToUtf8(arguments);
  EXPECT_NE(Utf16ToUtf8(arguments).find(" -nowindow "), std::string::npos);
  EXPECT_EQ(Utf16ToUtf8(folder), f.dir.path());
  EXPECT_EQ(Utf16ToUtf8(description), entry.title);
  DeleteFileW(Utf8ToUtf16(file).c_str());
}
