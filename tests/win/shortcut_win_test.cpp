// Desktop shortcuts read back through the shell's own link interface.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "launch/shortcut.h"
#include "scratch_launcher_win.h"

namespace {
struct LinkContent {
  std::string target, arguments, folder, description;
};

LinkContent ReadLink(const std::string& file) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  LinkContent out;
  wchar_t text[4096];
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(Utf8ToUtf16(file).c_str(), STGM_READ))) {
    if (SUCCEEDED(link->GetPath(text, 4096, nullptr, SLGP_RAWPATH))) out.target = Utf16ToUtf8(text);
    if (SUCCEEDED(link->GetArguments(text, 4096))) out.arguments = Utf16ToUtf8(text);
    if (SUCCEEDED(link->GetWorkingDirectory(text, 4096))) out.folder = Utf16ToUtf8(text);
    if (SUCCEEDED(link->GetDescription(text, 4096))) out.description = Utf16ToUtf8(text);
  }
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return out;
}
}  // namespace

TEST(ShortcutWin, LinksOnTheDesktopStartMameFullScreenOnePerGame) {
  ScratchLauncher f;
  Settings s;
  ResetSettings(s);
  s.skip_warnings = 1;
  GameList games = BuildGameList();
  // A title with characters a file name cannot hold; and MAME 0.251 gives
  // kartduel the title the table has for kartduelja.
  const_cast<GameEntry*>(FindGameBySet(games, "sfex2"))->title = "Street Fighter EX2: Who? (Test)";
  const_cast<GameEntry*>(FindGameBySet(games, "kartduel"))->title = "Kart Duel (Japan, KTD1/VER.A)";
  std::optional<std::string> desktop = DesktopFolder();
  ASSERT_TRUE(desktop);
  std::vector<std::string> files;
  for (const char* set : {"sfex2", "sfex2", "kartduel", "kartduelja"}) {  // a second one replaces the first
    const GameEntry& entry = *FindGameBySet(games, set);
    std::string reason;
    ASSERT_TRUE(CreateDesktopShortcut(s, {}, games, entry, reason)) << reason;
    std::string file = *desktop + "\\" + ShortcutFileNameOf(games, entry) + ".lnk";
    EXPECT_EQ(file.find_first_of(":?", 2), std::string::npos) << file;
    LinkContent link = ReadLink(file);
    EXPECT_EQ(link.target, f.dir.File("mame.exe"));
    EXPECT_EQ(link.arguments.rfind(std::string(set) + " ", 0), 0u) << link.arguments;
    EXPECT_NE(link.arguments.find(" -nowindow "), std::string::npos);
    EXPECT_EQ(link.arguments.find("-plugin"), std::string::npos);
    EXPECT_EQ(link.arguments.find("-keyboardprovider"), std::string::npos);
    EXPECT_EQ(link.folder, f.dir.path());
    EXPECT_EQ(link.description, entry.title);
    files.push_back(file);
  }
  EXPECT_EQ(files[0], files[1]);
  EXPECT_NE(files[2], files[3]);
  for (const std::string& file : files) DeleteFileW(Utf8ToUtf16(file).c_str());
}
