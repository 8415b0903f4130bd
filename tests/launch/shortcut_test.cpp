// The desktop shortcut's content: mame.exe with the full-screen shortcut list.
#include "launch/shortcut.h"

#include <gtest/gtest.h>

#include "base/file_system.h"
#include <map>

#include "base/paths.h"
#include "base/text_case.h"
#include "catalogue/listing.h"
#include "support/test_support.h"

namespace {
void ExpectUniqueNames(const GameList& games, const char* which) {
  std::vector<std::string> names = ShortcutFileNames(games);
  ASSERT_EQ(names.size(), 462u);
  std::map<std::string, std::string> seen;
  for (size_t i = 0; i < games.size(); ++i) {
    EXPECT_FALSE(names[i].empty());
    EXPECT_EQ(names[i].find_first_of("\\/:*?\"<>|"), std::string::npos) << names[i];
    auto [it, added] = seen.emplace(LowerCaseText(names[i]), games[i].set);
    EXPECT_TRUE(added) << which << ": " << games[i].set << " and " << it->second << " share " << names[i];
  }
}
}  // namespace

TEST(Shortcut, EveryGameGetsItsOwnFileName) {
  GameList games = BuildGameList();
  ExpectUniqueNames(games, "built-in titles");
  MameListing listing;
  ParseListfull(ReadTestFile(SourcePath("tests/fixtures/mame0251/listfull.txt")), GameTableSets(), listing);
  MarkGameList(games, listing);
  ExpectUniqueNames(games, "MAME 0.251 titles");
  // MAME 0.251 calls kartduel what the table calls kartduelja: both keep
  // their title and get their set name added.
  auto name = [&](const char* set) { return ShortcutFileNameOf(games, *FindGameBySet(games, set)); };
  EXPECT_EQ(name("kartduel"), "Kart Duel (Japan, KTD1VER.A) [kartduel]");
  EXPECT_EQ(name("kartduelja"), "Kart Duel (Japan, KTD1VER.A) [kartduelja]");
  EXPECT_EQ(name("sfex2"), "Street Fighter EX2 (Euro)");  // no clash, no set name
}

TEST(Shortcut, PlanHoldsTheShortcutArgumentsAndASafeName) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  WriteTestFile(dir.File("mame.exe"), "");
  Settings s;
  ResetSettings(s);
  s.skip_warnings = 1;  // would add -keyboardprovider to a play list
  s.filter_window = 1;  // would add the filter-window arguments
  s.fullscreen = 0;
  GameList games = BuildGameList();
  GameEntry entry = *FindGameBySet(games, "sfex2");
  entry.title = "Street Fighter: EX2? <Plus>";

  ShortcutPlan plan;
  std::string reason;
  ASSERT_TRUE(PlanDesktopShortcut(s, {}, games, entry, "C:\\Desk", plan, reason));
  EXPECT_EQ(plan.target, dir.path() + "\\mame.exe");
  EXPECT_EQ(plan.arguments.rfind("sfex2 ", 0), 0u);
  EXPECT_NE(plan.arguments.find(" -nowindow "), std::string::npos);
  for (const char* absent : {"-plugin", "-keyboardprovider", "-resolution auto", " -window"})
    EXPECT_EQ(plan.arguments.find(absent), std::string::npos) << absent;
  EXPECT_EQ(plan.description, entry.title);
  EXPECT_EQ(plan.file.rfind("C:\\Desk\\", 0), 0u);
  std::string name = plan.file.substr(8);
  EXPECT_EQ(name.find_first_of(":?<>"), std::string::npos) << name;

  EXPECT_EQ(ShortcutFileName("a\\b/c:d*e?f\"g<h>i|j"), "abcdefghij");

  DeleteFileAt(dir.File("mame.exe"));
  EXPECT_FALSE(PlanDesktopShortcut(s, {}, games, entry, "C:\\Desk", plan, reason));
  EXPECT_EQ(reason, "mame.exe was not found (General tab > MAME Program)");
}
