// Which snapshot files the preview shows for a game, and in which order.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "base/paths.h"
#include "preview/snapshot_files.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {
namespace fs = std::filesystem;

// A MAME folder with snapshot files written `age` minutes ago.
struct SnapFolder {
  TempDir dir;
  std::string snap = dir.File("snap");
  const fs::file_time_type now = fs::file_time_type::clock::now();  // one clock reading: equal ages are equal times
  void Add(const std::string& relative, int age_minutes) {
    std::string path = snap + "/" + relative;
    WriteTestFile(path, "picture");
    fs::last_write_time(path, now - std::chrono::minutes(age_minutes));
  }
  std::vector<std::string> Names(std::string_view pattern, std::string_view set) const {
    std::vector<std::string> names;
    for (const SnapshotFile& f : ListSetSnapshots(snap, pattern, set)) {
      names.push_back(f.path.substr(snap.size() + 1));
      std::replace(names.back().begin(), names.back().end(), '\\', '/');
    }
    return names;
  }
};
using Names = std::vector<std::string>;
}  // namespace

TEST(SnapshotFiles, TheFolderFollowsSnapshotDirectoryAgainstMamesFolder) {
  TempDir dir;
  WriteTestFile(dir.File("emu/mame.exe"), "");
  SetLauncherFolder(dir.path());
  Settings s;
  s.mame_exe = "emu\\mame.exe";
  auto folder = [&](const std::string& more) {
    s.more_options = more;
    std::string f = SnapshotFolder(s);
    return f.substr(f.find("emu") == std::string::npos ? 0 : f.find("emu"));
  };
  // MAME writes into the first folder named; arcade sets have no media, so "%d_..." falls back to the default.
  for (auto [more, expected] : {std::pair{"", "emu\\snap"}, {"-snapshot_directory shots/new", "emu\\shots\\new"},
                                {"-snapshot_directory \"my shots;other\"", "emu\\my shots"},
                                {"-snapshot_directory D:\\pics", "D:\\pics"}})
    EXPECT_EQ(folder(more), expected) << more;
  for (auto [more, expected] : {std::pair{"", "%g/%i"}, {"-snapname %g", "%g"}, {"-snapname \"shots/%g %i\"", "shots/%g %i"},
                                {"-snapname %d_cart/%i", "%g/%i"}})
    EXPECT_EQ(SnapshotNamePattern(more), expected) << more;
}

TEST(SnapshotFiles, EveryNamingMameUsesNewestFirst) {
  SnapFolder f;
  // A user's JPEG, too few index digits, no picture, "%g"'s plain name, a typed extension MAME adds its own to.
  const std::pair<const char*, int> files[] = {
      {"pong/0000.png", 30}, {"pong/0001.png", 20}, {"pong/0002.jpeg", 10}, {"pong/10000.png", 25},
      {"pong/001.png", 1}, {"pong/0005", 1}, {"pong.png", 15}, {"pong/sub/0003.png", 1},
      {"shots/pong-0000.jpg.png", 5}, {"shots/pong-0001.jpg.png", 5}, {"shots/breakout-0000.jpg.png", 1},
      {"breakout/0000.png", 1}, {"same/0000.png", 8}, {"same/0001.png", 8}};
  for (const auto& [name, age] : files) f.Add(name, age);

  const struct { const char *pattern, *set; Names expected; } cases[] = {
      {"%g/%i", "pong", {"pong/0002.jpeg", "pong.png", "pong/0001.png", "pong/10000.png", "pong/0000.png"}},
      {"%g", "pong", {"pong.png"}},
      {"shots/%g-%i.jpg", "pong", {"shots/pong-0001.jpg.png", "shots/pong-0000.jpg.png", "pong.png"}},
      {"%g\\%i", "pong", {"pong/0002.jpeg", "pong.png", "pong/0001.png", "pong/10000.png", "pong/0000.png"}},
      {"%g/%i", "same", {"same/0001.png", "same/0000.png"}},  // same time: the higher index is the later one
      {"%g/%i", "tekken3", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(f.Names(c.pattern, c.set), c.expected) << c.pattern << " " << c.set;
}

TEST(SnapshotFiles, ASetWithoutPicturesBorrowsFromItsParentThenAClone) {
  EXPECT_EQ(SnapshotFamily("ts2u"), (Names{"ts2u", "ts2", "ts2ua", "ts2j", "ts2ja"}));
  EXPECT_EQ(SnapshotFamily("ts2"), (Names{"ts2", "ts2u", "ts2ua", "ts2j", "ts2ja"}));
  EXPECT_EQ(SnapshotFamily("pong"), (Names{"pong"}));  // not in the table: itself only

  SnapFolder f;
  f.Add("ts2j/0000.png", 5);
  f.Add("ts2ja/0000.png", 1);
  EXPECT_EQ(ChooseSnapshots(f.snap, "%g/%i", "ts2u").set, "ts2j");  // no parent's: the first clone's
  f.Add("ts2/0000.png", 9);
  EXPECT_EQ(ChooseSnapshots(f.snap, "%g/%i", "ts2u").set, "ts2");
  f.Add("ts2u.png", 9);
  SnapshotChoice own = ChooseSnapshots(f.snap, "%g/%i", "ts2u");
  EXPECT_TRUE(own.set == "ts2u" && own.files.size() == 1u) << own.set;
  EXPECT_TRUE(ChooseSnapshots(f.snap, "%g/%i", "tekken3").files.empty());
}
