// The card's sources: snapshots, ui.ini and its folders, pictures in folders and zips, history.xml and .dat files.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "backup/zip_writer.h"
#include "base/paths.h"
#include "catalogue/mame_status.h"
#include "preview/game_card.h"
#include "preview/game_info.h"
#include "preview/picture_kinds.h"
#include "preview/preview_request.h"
#include "preview/snapshot_files.h"
#include "settings/play_stats.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {
std::vector<std::string> Tail(const std::vector<SnapshotFile>& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const SnapshotFile& f : files)
    names.push_back(f.path.substr(folder.size() + 1) + (f.member.empty() ? "" : ":" + f.member));
  return names;
}

// A MAME folder with snapshot files written `age` minutes ago.
struct SnapFolder {
  TempDir dir;
  std::string snap = dir.File("snap");
  const std::filesystem::file_time_type now = std::filesystem::file_time_type::clock::now();  // equal ages, equal times
  void Add(const std::string& relative, int age_minutes) {
    std::string path = snap + "/" + relative;
    WriteTestFile(path, "picture");
    std::filesystem::last_write_time(path, now - std::chrono::minutes(age_minutes));
  }
  std::vector<std::string> Names(std::string_view pattern, std::string_view set) const {
    std::vector<std::string> names = Tail(ListSetSnapshots(snap, pattern, set), snap);
    for (std::string& name : names) std::replace(name.begin(), name.end(), '\\', '/');
    return names;
  }
};
using Names = std::vector<std::string>;
}  // namespace

TEST(GameCard, UiIniAsMameWritesItAndPicturesOfEachKindInFoldersAndZips) {
  // MAME 0.251's own ui.ini names the folders the table knows as its defaults.
  UiOptions recorded = ParseUiIni(ReadTestFile(SourcePath("tests/fixtures/mame0251/ui.ini")));
  EXPECT_EQ(recorded["historypath"], kHistoryPathDefault);
  for (int k = 1; k < kArtKindCount; ++k)  // and each kind found again by its id
    EXPECT_TRUE(recorded[kArtKinds[k].option] == kArtKinds[k].folders && ArtKindIndex(kArtKinds[k].id) == k) << k;

  TempDir dir;
  SetLauncherFolder(dir.path());
  WriteTestFile(dir.File("mame.exe"), "");
  Settings s;
  // Saved by an editor that puts a byte-order mark before the first setting.
  WriteTestFile(dir.File("ini/ui.ini"), "\xEF\xBB\xBFtitles_directory  \"my titles;titles\"\n#flyers_directory x\n");
  std::string mame = dir.path();
  std::replace(mame.begin(), mame.end(), '/', '\\');  // paths as Windows writes them
  EXPECT_EQ(FindUiIni(s), mame + "\\ini\\ui.ini");  // "." has none; "ini" is next on MAME's path
  const ArtFolders folders = ArtFoldersOf(s, ReadMameUiOptions(s));
  s.more_options = "-inipath elsewhere";
  EXPECT_EQ(FindUiIni(s), "");

  // A set's own pictures, any case, in each folder and in the zip named after it; a clone takes its parent's.
  WriteTestFile(dir.File("titles/SFEX2.png"), "png");
  WriteTestFile(dir.File("titles/sfex2.txt"), "no picture");
  ZipWriter zip;
  StartZip(zip);
  for (auto [name, data] : {std::pair{"sfex2.jpg", "jpeg"}, {"sfex2u.PNG", "zipped"}, {"x/sfex2j.png", ""}})
    AddZipMember(zip, name, data);
  FinishZip(zip);
  WriteTestFile(dir.File("my titles.zip"), zip.output);
  WriteTestFile(dir.File("flyers/read me.txt"), "");  // a folder that is there, without pictures yet, written an hour ago
  std::filesystem::last_write_time(dir.File("flyers"), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  ArtLookup lookup;
  SnapshotChoice choice = lookup.Choose(folders, 1, "sfex2");
  EXPECT_EQ(Tail(choice.files, mame), (std::vector<std::string>{"my titles.zip:sfex2.jpg", "titles\\SFEX2.png"}));
  choice = lookup.Choose(folders, 1, "sfex2u");
  ASSERT_EQ(Tail(choice.files, mame), (std::vector<std::string>{"my titles.zip:sfex2u.PNG"}));
  std::string bytes;
  EXPECT_TRUE(lookup.ReadMember(choice.files[0], bytes) && bytes == "zipped");
  EXPECT_TRUE(lookup.Choose(folders, 1, "sfex2j").set == "sfex2" && lookup.Choose(folders, 2, "sfex2").files.empty());
  // A folder is looked at again only in a new round, and then only when it changed.
  WriteTestFile(dir.File("flyers/sfex2.bmp"), "bmp");
  EXPECT_TRUE(lookup.Choose(folders, 2, "sfex2").files.empty());
  lookup.NewRound();
  EXPECT_EQ(lookup.Choose(folders, 2, "sfex2").files.size(), 1u);
  StartZip(zip);  // the zip written anew without sfex2u's picture: the clone shows its parent's
  AddZipMember(zip, "sfex2.jpg", "jpeg");
  FinishZip(zip);
  WriteTestFile(dir.File("my titles.zip"), zip.output);
  lookup.NewRound();
  EXPECT_EQ(lookup.Choose(folders, 1, "sfex2u").set, "sfex2");

  // The kind shown: the one asked for, else snapshots, else the first the game has.
  for (auto [asked, has, shown] : {std::tuple{2, 0b110, 2}, {3, 0b111, 0}, {99, 0b1100, 2}, {5, 0, 5}})
    EXPECT_EQ(ShownArtKind(asked, has), shown) << asked;
}

TEST(GameCard, HistoryAndDatFilesIndexedOnceReadByPlaceAndDamagedOnesInPart) {
  const std::string history =
      "<?xml version=\"1.0\"?>\n<history>\n<entry>\n<systems>\n<system name=\"sfex2\" />\n<system\r\n name=\"SFEX2U\"/>\n"
      "</systems>\n<text>\n  - TECHNICAL -\nCapcom &amp; Arika, caf&#233;&#0; &#X263A;&#x1F47E;&lt;3 &#x1100000;\n\n</text>\n</entry>\n"
      "<entry><software><item list=\"psx\" name=\"sfex2\"/></software><text>not a system</text></entry>\n"
      "<entry><systems><system name=\"tekken3\"/></systems><text>cut short";
  InfoIndex h = IndexHistoryXml(history);
  ASSERT_EQ(h.ranges["sfex2"].size(), 1u);
  EXPECT_EQ(h.ranges["sfex2"], h.ranges["sfex2u"]);
  const TextRange& r = h.ranges["sfex2"][0];
  // A NUL would end the text a window shows: replaced. Far beyond Unicode: as written.
  EXPECT_EQ(HistoryEntryText(history.substr(r.offset, r.length)),
            "  - TECHNICAL -\nCapcom & Arika, caf\xC3\xA9\xEF\xBF\xBD \xE2\x98\xBA\xF0\x9F\x91\xBE<3 &#x1100000;");
  EXPECT_TRUE(h.damaged && h.ranges.count("tekken3") && h.ranges.size() == 3u);  // sfex2, sfex2u, tekken3
  EXPECT_FALSE(IndexHistoryXml(history.substr(0, history.rfind("<entry>"))).damaged);  // without the cut entry: sound

  const std::string dat = "# MAMEINFO.DAT\r\n$info=sfex2 , sfex2u,\r\n$mame\r\nLEVELS: 8\r\n$end\r\n"
                          "$info=sfex2\r\n$cmd\r\n_2_3_6 + _a ^E\r\n$info=tekken3\r\n$mame\r\nno end";  // two $end missing
  InfoIndex d = IndexDatFile(dat);
  ASSERT_EQ(d.ranges["sfex2"].size(), 2u);
  EXPECT_TRUE(d.damaged && d.damaged_at == dat.find("$info=sfex2\r\n$cmd") && d.ranges["tekken3"].size() == 1u);
  EXPECT_EQ(dat.substr(d.ranges["tekken3"][0].offset, d.ranges["tekken3"][0].length), "no end");  // not sfex2's text
  EXPECT_EQ(CommandSymbolsAsText("_X_S__ ^ _"), "_X(Start)__ ^ _");  // unknown codes stay

  // The library finds each file in the history folders, indexes it once, and reads a game's texts from their place.
  TempDir dir;
  WriteTestFile(dir.File("dats/history.xml"), history);
  WriteTestFile(dir.File("dats/mameinfo.dat"), dat);
  WriteTestFile(dir.File("story.dat"), "$info=sfex2\n$story\nHIGH SCORE 1000000\n$end\n");
  WriteTestFile(dir.File("dats/command.dat"), "$info=sfex2\n$cmd\n_2_3_6 + _a ^E\n$end\n");
  WriteTestFile(dir.File("gameinit.dat"), "$info=sfex2\n$mame\nSTART _a\n$end\n");
  GameInfoLibrary library;
  std::vector<std::string> log;
  const std::vector<std::string> folders = {dir.File("none"), dir.File("dats"), dir.path()};
  std::vector<InfoTab> tabs = library.Texts(folders, {"sfex2j", "sfex2"}, log);
  ASSERT_EQ(tabs.size(), 5u);  // each file read in its own form, in MAME's order
  EXPECT_EQ(tabs[0], (InfoTab{"History", HistoryEntryText(history.substr(r.offset, r.length))}));
  EXPECT_EQ(tabs[1].name + "|" + tabs[1].text, "Mameinfo|LEVELS: 8\n\n_2_3_6 + _a ^E");  // only command.dat's codes are symbols
  EXPECT_EQ(tabs[2].name + "|" + tabs[2].text, "Command|\xE2\x86\x93\xE2\x86\x98\xE2\x86\x92 + (1) LP");
  EXPECT_EQ(tabs[3].name + "|" + tabs[3].text + "|" + tabs[4].name + "|" + tabs[4].text,
            "Gameinit|START _a|Mamescore|HIGH SCORE 1000000");
  ASSERT_EQ(log.size(), 2u);  // one line per damaged file, when it is indexed
  EXPECT_EQ(log[0], "Game info: history.xml is damaged or cut short at byte " + std::to_string(h.damaged_at) +
                        "; what comes before it is used: " + JoinPath(dir.File("dats"), "history.xml"));
  log.clear();
  EXPECT_TRUE(library.Texts(folders, {"tekken3"}, log)[0].text == "cut short" && log.empty());
  // The pane's worker reads them where MAME looks without a ui.ini; its answer carries the request's generation back.
  PreviewRequest ask;
  ask.generation = 7, ask.set = "sfex2", ask.mame_exe = dir.File("mame.exe");
  PreviewAnswerFn texts = CardTextAnswers()();
  std::unique_ptr<PreviewResult> answer = texts(ask, [] { return false; });
  EXPECT_TRUE(answer->generation == 7 && answer->tabs.size() == 5u && answer->tabs[4].name == "Mamescore");
  // Changed while Korvo runs: indexed anew in the next look.
  WriteTestFile(dir.File("dats/mameinfo.dat"), "$info=tekken3\n$mame\nWhole\n$end\n$info=sfex2\n$mame\nNew\n$end\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(kFolderLookMs + 100));  // the worker's look has aged
  EXPECT_EQ(texts(ask, [] { return false; })->tabs[1].text, "New");
  library.NewRound();
  tabs = library.Texts(folders, {"tekken3"}, log);
  ASSERT_TRUE(tabs.size() == 2u && tabs[1].text == "Whole" && log.empty());

  // The card's own lines and its General Info.
  GameEntry e = BuildGameList()[23];
  // korvo-played.cfg as an editor may leave it: the first game and the last read, broken lines skipped.
  PlayStats stats;
  EXPECT_EQ(ParsePlayStats("; plays\n1 = 2, 7260 ,0\r\n0=1,1,1\n5=1,2\n7=-1,1,1\n462=3,9,1796126400", stats), 2u);
  const std::string file = std::string(FormatPlayStats(stats));
  EXPECT_EQ(file.substr(file.find("UTC)\r\n") + 6), "1=2,7260,0\r\n462=3,9,1796126400\r\n");
  AddPlay(stats, 1, 60, 1796126400), AddPlay(stats, 1, -5, 1796126400);  // a clock set back adds no time
  e.played = stats[1];
  DriverStatuses st;
  ParseDriverStatuses("<machine name=\"sfex2u\"><driver status=\"good\" savestate=\"supported\"/></machine>", st);
  GameList one = {e};
  ApplyDriverStatuses(one, st);
  GameCard card = MakeGameCard(one[0]);
  EXPECT_EQ(card.status, "Working.");
  EXPECT_EQ(card.played.rfind("Played 4 times, 2 h 2 min, last on ", 0), 0u) << card.played;
  EXPECT_EQ(card.general.substr(0, card.general.find("\nStatus")),
            e.title + "\nCapcom / Arika, 1998\nSony ZN-2 System\nSet: sfex2u, clone of sfex2; BIOS: coh3002c");
}

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
  for (auto [set, family] : {std::pair{"ts2u", Names{"ts2u", "ts2", "ts2ua", "ts2j", "ts2ja"}},  // pong: not in the table
                              {"ts2", Names{"ts2", "ts2u", "ts2ua", "ts2j", "ts2ja"}}, {"pong", Names{"pong"}}})
    EXPECT_EQ(SnapshotFamily(set), family) << set;

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
