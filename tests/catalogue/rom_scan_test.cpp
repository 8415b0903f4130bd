#include "catalogue/rom_scan.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "support/test_support.h"

namespace {
class RomScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLauncherFolder(dir.path());
    RomScan() = RomScanState();
    list = BuildGameList();
  }
  const GameEntry& Game(const char* set) { return *FindGameBySet(list, set); }
  bool Has(const char* set) { return RomScan().available.count(set) > 0; }
  void Files(std::initializer_list<const char*> names) {
    for (const char* name : names) WriteTestFile(dir.File(name), "");
  }

  TempDir dir;
  GameList list;
};
}  // namespace

TEST_F(RomScanTest, FolderTextsFallbackChangesAndWhatCountsAsASet) {
  // A zip or 7z named after the set, or a folder; nothing else.
  Files({"kinds/TEKKEN3.ZIP", "kinds/sfex2.7z", "kinds/Ts2/inner.bin", "kinds/tekken2.rar", "kinds/.zip", "kinds/.7z",
         "kinds/a.7z", "kinds/b.zip"});
  EXPECT_EQ(ScanRomFolders("kinds", ""), 5u);
  EXPECT_TRUE(Has("tekken3") && Has("sfex2") && Has("ts2") && Has("a") && Has("b") && !Has("tekken2"));

  const std::string more = dir.path() + "/More ROMs";
  WriteTestFile(more + "/sfex2.zip", "");
  Files({"roms/tekken3.zip", "mame/roms/ts2.zip", "bios/coh3002c.zip"});
  const std::string mame_roms = dir.path() + "\\mame\\roms";
  EXPECT_TRUE(ScanRomFolders("roms; " + more + " ;", mame_roms) == 2u && ScanRomFolders("", mame_roms) == 1u && Has("ts2"));

  EXPECT_TRUE(RefreshRomScan("roms;missing", " bios ", false, mame_roms) && Has("coh3002c"));  // first scan
  EXPECT_TRUE(RomScan().signature.find("\\missing;") != std::string::npos &&  // no time for a missing folder
              RomScan().signature.find("\\bios|") != std::string::npos) << RomScan().signature;
  EXPECT_FALSE(RefreshRomScan("roms;missing", "bios", false, mame_roms));
  Files({"roms/sfex2u.zip"});
  EXPECT_TRUE(RefreshRomScan("roms;missing", "bios", false, mame_roms) && Has("sfex2u"));
  EXPECT_TRUE(RefreshRomScan("roms;missing", "bios", true, mame_roms));
}

TEST_F(RomScanTest, AvailabilityNeedsParentAndBios) {
  std::string text;
  Files({"roms/tekken2ub.zip", "roms/ts2u.zip", "roms/ts2.zip"});
  ScanRomFolders("roms", "");
  // A Namco clone needs its parent but no BIOS; ZN-1 needs its board's BIOS.
  EXPECT_FALSE(HasRoms(Game("tekken2ub")) || HasRoms(Game("ts2u")));
  EXPECT_TRUE(ListMissingZips(Game("tekken2ub"), text) == 1 && text == "tekken2.zip");
  EXPECT_TRUE(ListMissingZips(Game("sfex2u"), text, 12) == 3 && text == "sfex2u.zip,");

  Files({"roms/tekken2.zip", "roms/coh1000c.zip"});
  ScanRomFolders("roms", "");
  GameEntry unknown = Game("ts2u");
  MarkNotInMame(unknown);
  EXPECT_TRUE(HasRoms(Game("tekken2ub")) && CanPlay(&Game("ts2u"), false));
  EXPECT_FALSE(CanPlay(&Game("ts2u"), true) || CanPlay(&unknown, false));

  // The status icon: what the last audit found, for sets that are there; a mark does not make a missing zip present.
  RomScan().audit_marks = {{"ts2u", RomStatus::Damaged}, {"sfex2u", RomStatus::CheckedGood}};
  for (auto [set, status] : {std::pair{"ts2u", RomStatus::Damaged}, {"tekken2", RomStatus::Present},
                             {"sfex2u", RomStatus::Missing}})
    EXPECT_EQ(GameRomStatus(Game(set)), status) << set;
}
