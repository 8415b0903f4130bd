#include "catalogue/listing.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "app/paths.h"
#include "support/test_support.h"

namespace {
// A captured run that answers from a text and counts how often it was asked.
std::string g_answer;
int g_result = 0;
int g_runs = 0;
int FakeRun(const std::string& arguments, TextBuffer& output, uint32_t, int32_t*) {
  ++g_runs;
  EXPECT_EQ(arguments, "-listfull");
  output = g_answer;
  return g_result;
}

std::string RecordedListing() { return ReadTestFile(SourcePath("tests/fixtures/mame0251/listfull.txt")); }

// Padding lines that name no table set, so a small answer passes the line minimum.
std::string Padding(int lines) {
  std::string out = "Name:             Description:\n";
  for (int i = 1; i < lines; ++i) out += "zz" + std::to_string(i) + "  \"Other " + std::to_string(i) + "\"\n";
  return out;
}

class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLauncherFolder(dir.path());
    WriteTestFile(dir.File("mame.exe"), "program v1");
    mame.found = true;
    mame.program = dir.path() + "\\mame.exe";
    mame.run = FakeRun;
    g_runs = 0;
    g_result = 0;
    g_answer.clear();
  }
  GameList Load(bool force = false) {
    GameList list = BuildGameList();
    LoadMameListing(list, force, mame);
    return list;
  }
  static const GameEntry& Entry(const GameList& list, const char* set) { return *FindGameBySet(list, set); }

  TempDir dir;
  MameAsker mame;
};
}  // namespace

TEST_F(ListingTest, RecordedListingMarksTheTable) {
  g_answer = RecordedListing();
  ASSERT_GT(g_answer.size(), 1000000u);
  GameList list = Load();
  EXPECT_EQ(g_runs, 1);
  MameListing listing;
  ParseListfull(g_answer, GameTableSets(), listing);
  int known = 0;
  for (const GameEntry& e : list) {
    auto found = listing.find(e.set);
    if (found != listing.end()) {
      ++known;
      EXPECT_FALSE(e.flags & kGameNotInMame) << e.set;
      if (!found->second.empty()) EXPECT_EQ(e.title, found->second);
    } else {
      EXPECT_TRUE(e.flags & kGameNotInMame) << e.set;
      EXPECT_NE(e.info.find("not in this MAME"), std::string::npos);
    }
  }
  EXPECT_GT(known, 400);
  EXPECT_EQ(Entry(list, "sfex2").title, "Street Fighter EX2 (Euro 980312)");

  // The cache now answers instead of MAME, with the same result.
  GameList again = Load();
  EXPECT_EQ(g_runs, 1);
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(again[i].title, list[i].title);
    EXPECT_EQ(again[i].flags, list[i].flags);
  }
  std::string cache = ReadTestFile(dir.File("korvo-listing-cache.cfg"));
  EXPECT_EQ(cache.rfind("key=" + ListingKey(mame) + "\r\n", 0), 0u);

  Load(true);  // Refresh asks again
  EXPECT_EQ(g_runs, 2);
}

TEST_F(ListingTest, CacheFollowsTheProgramFile) {
  g_answer = Padding(120) + "sfex2  \"From MAME\"\n";
  Load();
  ASSERT_EQ(g_runs, 1);
  const std::string key = ListingKey(mame);
  EXPECT_NE(key.find("|10|"), std::string::npos);  // the size
  EXPECT_NE(key.find("|462|1.0.0"), std::string::npos);

  WriteTestFile(dir.File("mame.exe"), "program v2, longer");
  Load();
  EXPECT_EQ(g_runs, 2);

  struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
  utimensat(AT_FDCWD, dir.File("mame.exe").c_str(), times, 0);
  Load();
  EXPECT_EQ(g_runs, 3);
  Load();
  EXPECT_EQ(g_runs, 3);

  // Another path to the same bytes is another program.
  WriteTestFile(dir.File("other/mame.exe"), "program v2, longer");
  mame.program = dir.path() + "\\other\\mame.exe";
  Load();
  EXPECT_EQ(g_runs, 4);
}

TEST_F(ListingTest, DamagedCachesAreAskedAgain) {
  g_answer = Padding(120) + "sfex2  \"From MAME\"\n";
  const std::string key = ListingKey(mame);
  const std::string cases[] = {
      "",
      "key=" + key + "\r\n",                              // right key, no entries
      "key=" + key + "x\r\nsfex2\tCached\r\n",            // longer key
      "key=" + key.substr(0, key.size() - 1) + "\r\nsfex2\tCached\r\n",
      "\r\n\r\nsfex2\tCached\r\nkey=" + key + "\r\n",     // key not first
      std::string("\0\xff\xfe garbage\n\t\t\n", 16),
      "key=" + key + "\r\nnosuchset\tCached\r\n",         // only names outside the table
  };
  for (const std::string& cache : cases) {
    WriteTestFile(dir.File("korvo-listing-cache.cfg"), cache);
    g_runs = 0;
    GameList list = Load();
    EXPECT_EQ(g_runs, 1) << cache;
    EXPECT_EQ(Entry(list, "sfex2").title, "From MAME");
  }

  // A good cache: CRLF or LF, later lines win, lines without TAB skipped.
  WriteTestFile(dir.File("korvo-listing-cache.cfg"),
                "key=" + key + "\nsfex2\tOld\r\nno tab here\n\nsfex2\tCached\tTitle\r\n");
  g_runs = 0;
  GameList list = Load();
  EXPECT_EQ(g_runs, 0);
  EXPECT_EQ(Entry(list, "sfex2").title, "Cached Title");  // a TAB would not survive the list view
  EXPECT_TRUE(Entry(list, "tekken3").flags & kGameNotInMame);
}

TEST_F(ListingTest, UnusableAnswersChangeNothing) {
  const std::string cache = "key=old\r\nsfex2\tKept\r\n";
  WriteTestFile(dir.File("korvo-listing-cache.cfg"), cache);
  struct Case {
    const char* name;
    int result;
    std::string answer;
  } cases[] = {
      {"timed out", 3, RecordedListing()},
      {"did not start", 2, ""},
      {"empty", 0, ""},
      {"100 lines", 0, Padding(99) + "sfex2  \"Short\"\n"},
      {"garbage", 0, std::string(5000, '\n') + Padding(300).substr(40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_result = c.result;
    g_answer = c.answer;
    GameList list = Load();
    EXPECT_EQ(Entry(list, "sfex2").title, BuildGameList()[22].title);
    for (const GameEntry& e : list) ASSERT_FALSE(e.flags & kGameNotInMame) << e.set;
    EXPECT_EQ(ReadTestFile(dir.File("korvo-listing-cache.cfg")), cache);
  }

  // No program: nothing is asked at all.
  mame.found = false;
  g_runs = 0;
  Load();
  EXPECT_EQ(g_runs, 0);
}

TEST(ListfullParse, LinesAndDescriptions) {
  MameListing listing;
  const std::string text =
      "Name:  Description:\r\n"
      "sfex2 \"Street \"Fighter\" EX2\"\r\n"
      "tekken3\t\"\"\n"
      "ts2 no quotes\n"
      "ts2u \"one\n"
      "ts2ua\n"
      "tekken2  \"ctrl\x01 and bad \xff byte\"\n"
      "\n\n"
      "sfex2 \"Later wins\"\n";
  EXPECT_EQ(ParseListfull(text, GameTableSets(), listing), 8u);
  EXPECT_EQ(listing["sfex2"], "Later wins");
  EXPECT_EQ(listing["tekken3"], "");
  EXPECT_EQ(listing["ts2"], "");
  EXPECT_EQ(listing["ts2u"], "");
  EXPECT_EQ(listing.count("ts2ua"), 0u);  // no blank: not a listing line
  EXPECT_EQ(listing["tekken2"], "ctrl  and bad ? byte");
  EXPECT_EQ(listing.count("Name:"), 0u);

  listing.clear();
  ParseListfull("sfex2 \"Street \"Fighter\" EX2\"", GameTableSets(), listing);
  EXPECT_EQ(listing["sfex2"], "Street \"Fighter\" EX2");

  // An empty description keeps the built-in title and does not mark the game.
  GameList list = BuildGameList();
  MarkGameList(list, {{"tekken3", ""}});
  const GameEntry& t3 = *FindGameBySet(list, "tekken3");
  EXPECT_EQ(t3.title, "Tekken 3 (World, TET2/VER.E1)");
  EXPECT_FALSE(t3.flags & kGameNotInMame);
  EXPECT_TRUE(FindGameBySet(list, "sfex2")->flags & kGameNotInMame);
}
