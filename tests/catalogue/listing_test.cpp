// What MAME is asked in the background, its game list and its options, and the caches kept per mame.exe build.
#include "catalogue/listing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/paths.h"
#include "catalogue/mame_status.h"
#include "catalogue/mame_usage.h"
#include "support/test_support.h"

namespace {
std::string g_answer, g_arguments;
int g_result = 0, g_code = 0, g_runs = 0;
int FakeRun(const std::string&, const std::string&, const std::string& arguments, TextBuffer& output, uint32_t,
            int32_t* code) {
  ++g_runs;
  g_arguments = arguments;
  output = g_answer;
  if (code) *code = g_code;
  return g_result;
}

// Lines that name no table set, so a small answer passes the line minimum.
std::string Padding(int lines) {
  std::string out = "Name:             Description:\n";
  for (int i = 1; i < lines; ++i) out += "zz" + std::to_string(i) + "  \"Other\"\n";
  return out;
}

class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLauncherFolder(dir.path());
    WriteTestFile(dir.File("mame.exe"), "program v1");
    mame = {true, dir.path() + "\\mame.exe", dir.path(), FakeRun};
    g_runs = g_result = g_code = 0;
    g_answer = Padding(100) + "sfex2  \"From MAME\"\n";  // 101 lines: just enough
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

TEST_F(ListingTest, RecordedListingMarksTheTableAndIsCached) {
  g_answer = ReadTestFile(SourcePath("tests/fixtures/mame0251/listfull.txt"));
  MameListing listing;
  ParseListfull(g_answer, GameTableSets(), listing);
  GameList list = Load();
  for (const GameEntry& e : list) EXPECT_EQ(listing.count(e.set) == 0, (e.flags & kGameNotInMame) != 0) << e.set;
  EXPECT_EQ(ReadTestFile(dir.File("korvo-listing-cache.cfg")).rfind("key=" + ListingKey(mame) + "\r\n", 0), 0u);

  GameList again = Load();  // from the cache
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(again[i].title + again[i].info, list[i].title + list[i].info);
  Load(true);  // Refresh asks again, and so does another build or another place
  WriteTestFile(dir.File("mame.exe"), "program v2, longer");
  Load();
  mame.program = dir.path() + "\\other.exe";
  WriteTestFile(dir.File("other.exe"), "program v2, longer");
  Load();
  EXPECT_EQ(g_runs, 4);
}

TEST_F(ListingTest, DamagedCachesAreAskedAgainAndUnusableAnswersChangeNothing) {
  const std::string key = ListingKey(mame);
  // No entries, another key, the key not first, only names outside the table.
  const std::string cases[] = {"key=" + key + "\r\n", "key=" + key + "x\r\nsfex2\tCached\r\n",
                               "\r\nsfex2\tCached\r\nkey=" + key + "\r\n", "key=" + key + "\r\nnosuchset\tCached\r\n"};
  for (const std::string& cache : cases) {
    WriteTestFile(dir.File("korvo-listing-cache.cfg"), cache);
    g_runs = 0;
    EXPECT_TRUE(Entry(Load(), "sfex2").title == "From MAME" && g_runs == 1) << cache;
  }
  // A good one: any line ends and a mark, later lines win, lines without TAB skipped.
  WriteTestFile(dir.File("korvo-listing-cache.cfg"),
                "\xEF\xBB\xBFkey=" + key + "\nsfex2\tOld\rno tab\n\nsfex2\tCached\tX\r\n");
  g_runs = 0;
  GameList list = Load();
  // A TAB would not survive the list view.
  EXPECT_TRUE(g_runs == 0 && Entry(list, "sfex2").title == "Cached X" && (Entry(list, "tekken3").flags & kGameNotInMame));

  // Answers that are no listing change nothing.
  const std::string cache = "key=old\r\nsfex2\tKept\r\n";
  WriteTestFile(dir.File("korvo-listing-cache.cfg"), cache);
  // Timed out, did not start, printed nothing, 100 lines, long but naming none of our sets.
  const std::pair<int, std::string> answers[] = {{3, g_answer}, {2, ""}, {0, ""}, {0, Padding(99) + "sfex2  \"Short\"\n"},
                                                 {0, std::string(5000, '\n') + Padding(300)}};
  for (const auto& [result, answer] : answers) {
    std::tie(g_result, g_answer) = std::tie(result, answer);
    list = Load();
    EXPECT_EQ(Entry(list, "sfex2").title, BuildGameList()[22].title);
    for (const GameEntry& e : list) ASSERT_FALSE(e.flags & kGameNotInMame) << e.set;
    EXPECT_EQ(ReadTestFile(dir.File("korvo-listing-cache.cfg")), cache);
  }
  mame.found = false, g_runs = 0;  // no program: nothing is asked
  Load();
  EXPECT_EQ(g_runs, 0);
}

// MAME 0.251's -listxml: its verdict replaces the built-in mark in the info texts and the card.
TEST_F(ListingTest, StatusesFromRealMameReplaceTheBuiltInMarkAndAreCachedPerBuild) {
  const std::string recorded = ReadTestFile(SourcePath("tests/fixtures/mame0251/listxml-drivers.xml"));
  DriverStatuses st;
  for (const char* set : {"pong", "sfex2"})
    ParseDriverStatuses(ReadTestFile(SourcePath(std::string("tests/fixtures/mame0251/listxml/") + set + ".xml")), st);
  EXPECT_TRUE(st.count("cat702") == 0u && DriverStatusText(st["pong"]) == "Working.");  // a device has no driver of its own
  // Its devices make the graphics imperfect ("overall"), the sound is its own.
  EXPECT_EQ(DriverStatusText(st["sfex2"]), "Imperfect: graphics, sound. Save states not supported.");
  ParseDriverStatuses(recorded, st);
  EXPECT_EQ(DriverStatusText(st["stepchmp"]),
            "Not working. Imperfect: graphics. Not emulated: sound. Save states not supported.");
  // The first and last feature kinds MAME knows and every driver note are named, alike when read back from the cache.
  ParseDriverStatuses("<machine name=\"m\"><driver status=\"preliminary\" nosoundhardware=\"yes\" requiresartwork="
                      "\"yes\" incomplete=\"yes\" unofficial=\"yes\"/><feature type=\"wan\" status=\"unemulated\"/>"
                      "<feature type=\"protection\" status=\"unemulated\"/></machine>", st);
  ParseDriverStatuses(FormatDriverStatusElement("cached", st["m"]), st);
  EXPECT_TRUE(DriverStatusText(st["m"]) == "Not working. Not emulated: protection, internet. No sound hardware. Needs "
                                           "external artwork. Never finished. Unofficial modification." &&
              DriverStatusText(st["cached"]) == DriverStatusText(st["m"])) << DriverStatusText(st["cached"]);

  g_answer = recorded;
  g_code = 5;  // MAME names a set it does not know after the rest
  DriverStatuses asked;
  ASSERT_TRUE(AskDriverStatuses(mame, asked));
  EXPECT_EQ(g_arguments.rfind("-listxml ts2 ts2u ts2ua ", 0), 0u);
  EXPECT_TRUE(asked.size() == 408u && CachedDriverStatuses(mame) == asked) << asked.size();
  GameList list = BuildGameList();
  ApplyDriverStatuses(list, asked);
  // strider2u works by the built-in table, not by MAME 0.251; a set MAME lacks keeps the built-in mark.
  EXPECT_EQ(Entry(list, "strider2u").info, "clone of strider2, not working in MAME");
  EXPECT_EQ(GameStatusText(Entry(list, "fambowl")), "Not working (the launcher's own list).");
  EXPECT_EQ(NotWorkingNote(Entry(list, "sfex2")), "");  // imperfect, but working: no note

  // Another build asks again; a cache of nothing of ours, or an answer too small or empty, is not taken.
  WriteTestFile(dir.File("mame.exe"), "program v2, longer");
  EXPECT_TRUE(CachedDriverStatuses(mame).empty());
  WriteTestFile(dir.File("korvo-status-cache.cfg"), "key=" + ListingKey(mame) + "\r\n<machine name=\"nosuchset\">"
                                                    "<driver status=\"good\"/></machine>\r\n");
  EXPECT_TRUE(CachedDriverStatuses(mame).empty());
  for (const std::string& answer : {recorded.substr(0, recorded.find("<machine name=\"dsfdct\"")), std::string()}) {
    g_answer = answer;
    EXPECT_FALSE(AskDriverStatuses(mame, asked));
  }
}

// MAME 0.251's -listfull: names padded to their column or run into the description; cached per mame.exe build.
TEST_F(ListingTest, ListfullLinesAndMameUsageAreReadAndCachedPerBuild) {
  MameListing listing;
  const std::string text =
      "Name:  Description:\r\nsfex2 \"Street \"Fighter\" EX2\"\r\ntekken3\t\"\"\nts2 no quotes\nts2u \"one\nts2ua\n"
      "sfex2p \"x\"\n"
      // Control characters and broken UTF-8 go: kept are whole, shortest sequences outside the surrogates.
      "tekken2  \"\x01\x1f \x7e\x7f|\xc2\xa9\xc1\xbf\xdf\xbf|\xe0\xa0\x80\xe0\x9f\xbf\xed\x9f\xbf\xed\xa0\x80\xef\xbf\xbf|"
      "\xf0\x90\x80\x80\xf0\x8f\xbf\xbf\xf4\x8f\xbf\xbf\xf4\x90\x80\x80\xf5\x80\x80\x80|\xe2\x28\xa1\xe2\x82\"\n\n\n";
  EXPECT_EQ(ParseListfull(text, GameTableSets(), listing), 8u);
  EXPECT_EQ(listing["sfex2"] + "|" + listing["sfex2p"], "Street \"Fighter\" EX2|x");
  EXPECT_EQ(listing["tekken3"] + listing["ts2"] + listing["ts2u"], "");
  EXPECT_EQ(listing.count("ts2u") + listing.count("ts2ua"), 1u);
  EXPECT_EQ(listing["tekken2"], "   ~ |\xc2\xa9??\xdf\xbf|\xe0\xa0\x80???\xed\x9f\xbf???\xef\xbf\xbf|"
                                "\xf0\x90\x80\x80????\xf4\x8f\xbf\xbf????????" "|?(???");

  // An empty description keeps the built-in title and does not mark the game.
  GameList list = BuildGameList();
  MarkGameList(list, {{"tekken3", ""}});
  EXPECT_TRUE(Entry(list, "tekken3").title == "Tekken 3 (World, TET2/VER.E1)" &&
              !(Entry(list, "tekken3").flags & kGameNotInMame) && (Entry(list, "sfex2").flags & kGameNotInMame));

  g_answer = ReadTestFile(SourcePath("tests/fixtures/mame0251/showusage.txt"));
  LoadMameUsage(false, mame);
  EXPECT_EQ(g_arguments, "-showusage");
  const MameUsage usage = CachedMameUsage(mame);
  // Newer and Windows-only options, a name's start and bare dashes are out (what is in: the argument builder's tests).
  for (const char* unknown : {"-joystick_threshold", "-nohlsl_enable", "-joystic", "-no", "-"})
    EXPECT_FALSE(HasMameArgument(usage, unknown)) << unknown;

  WriteTestFile(dir.File("mame.exe"), "program v2, longer");  // another build
  EXPECT_FALSE(CachedMameUsage(mame).Known());

  // Answers that are not MAME's list leave the cache alone.
  const std::string cache = ReadTestFile(UsageCachePath());
  std::string few;  // too short to be the whole list
  for (size_t i = 1; i < kMinimumUsageOptions; ++i) few += "-option" + std::to_string(i) + "  text\n";
  // Timed out, refused, an old MAME, too few options.
  const std::tuple<int, int, std::string> unusable[] = {
      {3, 0, g_answer}, {0, 1, g_answer}, {0, 0, "Error: unknown option: -showusage\n"}, {0, 0, few}};
  for (const auto& [result, code, answer] : unusable) {
    std::tie(g_result, g_code, g_answer) = std::tie(result, code, answer);
    LoadMameUsage(false, mame);
    EXPECT_TRUE(!CachedMameUsage(mame).Known() && ReadTestFile(UsageCachePath()) == cache) << answer.substr(0, 40);
  }
}
