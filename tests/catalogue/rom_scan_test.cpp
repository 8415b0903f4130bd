#include "catalogue/rom_scan.h"

#include <gtest/gtest.h>

#include "app/paths.h"
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

  TempDir dir;
  GameList list;
};
}  // namespace

TEST_F(RomScanTest, WhatCountsAsASet) {
  WriteTestFile(dir.File("roms/TEKKEN3.ZIP"), "");
  WriteTestFile(dir.File("roms/sfex2.7z"), "");
  WriteTestFile(dir.File("roms/Ts2/inner.bin"), "");
  WriteTestFile(dir.File("roms/tekken2.rar"), "");
  WriteTestFile(dir.File("roms/.zip"), "");
  WriteTestFile(dir.File("roms/a.7z"), "");
  WriteTestFile(dir.File("roms/readme.txt"), "");
  EXPECT_EQ(ScanRomFolders("roms", ""), 4u);
  EXPECT_TRUE(Has("tekken3"));
  EXPECT_TRUE(Has("sfex2"));
  EXPECT_TRUE(Has("ts2"));
  EXPECT_TRUE(Has("a"));
  EXPECT_FALSE(Has("tekken2"));
  EXPECT_FALSE(Has(""));
}

TEST_F(RomScanTest, FolderTextsAndFallback) {
  const std::string more = dir.path() + "/More ROMs";
  WriteTestFile(dir.File("roms/tekken3.zip"), "");
  WriteTestFile(more + "/sfex2.zip", "");
  WriteTestFile(dir.File("mame/roms/ts2.zip"), "");
  WriteTestFile(dir.File("bios/coh3002c.zip"), "");
  const std::string mame_roms = dir.path() + "\\mame\\roms";

  EXPECT_EQ(ScanRomFolders("roms; " + more + " ;", mame_roms), 2u);
  EXPECT_TRUE(Has("tekken3") && Has("sfex2"));
  EXPECT_EQ(ScanRomFolders("", mame_roms), 1u);
  EXPECT_TRUE(Has("ts2"));
  EXPECT_EQ(ScanRomFolders(" ; ;", mame_roms), 1u);

  SetBiosFolder("  bios  ");
  EXPECT_EQ(RomScan().bios_folder, "bios");
  EXPECT_EQ(ScanRomFolders("roms;does-not-exist", mame_roms), 2u);
  EXPECT_TRUE(Has("coh3002c"));
  // A missing folder has no time in the signature; present ones do.
  const std::string sig = RomScan().signature;
  EXPECT_NE(sig.find("\\does-not-exist;"), std::string::npos) << sig;
  EXPECT_NE(sig.find("\\roms|"), std::string::npos) << sig;
  EXPECT_NE(sig.find("\\bios|"), std::string::npos) << sig;
}

TEST_F(RomScanTest, RefreshOnlyWhenFoldersChange) {
  WriteTestFile(dir.File("roms/tekken3.zip"), "");
  EXPECT_TRUE(RefreshRomScan("roms", "", false, ""));  // first scan
  EXPECT_FALSE(RefreshRomScan("roms", "", false, ""));
  EXPECT_TRUE(RefreshRomScan("roms", "", true, ""));
  EXPECT_FALSE(RomFoldersChanged("roms", ""));

  WriteTestFile(dir.File("roms/sfex2.zip"), "");
  EXPECT_TRUE(RomFoldersChanged("roms", ""));
  EXPECT_TRUE(RefreshRomScan("roms", "", false, ""));
  EXPECT_TRUE(Has("sfex2"));
  // A new BIOS folder text is a change too.
  WriteTestFile(dir.File("bios/coh1000c.zip"), "");
  EXPECT_TRUE(RefreshRomScan("roms", "bios", false, ""));
  EXPECT_TRUE(Has("coh1000c"));
}

TEST_F(RomScanTest, AvailabilityNeedsParentAndBios) {
  std::string text;
  // tekken2ub is a Namco System 11 clone: no BIOS, but its parent.
  WriteTestFile(dir.File("roms/tekken2ub.zip"), "");
  ScanRomFolders("roms", "");
  EXPECT_FALSE(HasRoms(Game("tekken2ub")));
  EXPECT_EQ(ListMissingZips(Game("tekken2ub"), text), 1);
  EXPECT_EQ(text, "tekken2.zip");
  EXPECT_EQ(ListMissingZips(Game("tekken3"), text), 1);
  EXPECT_EQ(text, "tekken3.zip");

  WriteTestFile(dir.File("roms/tekken2.zip"), "");
  WriteTestFile(dir.File("roms/ts2u.zip"), "");
  WriteTestFile(dir.File("roms/ts2.zip"), "");
  ScanRomFolders("roms", "");
  EXPECT_TRUE(HasRoms(Game("tekken2ub")));
  EXPECT_EQ(ListMissingZips(Game("tekken2ub"), text), 0);
  EXPECT_EQ(text, "");
  // ZN-1 needs its board's BIOS set.
  EXPECT_FALSE(HasRoms(Game("ts2u")));
  EXPECT_EQ(ListMissingZips(Game("ts2u"), text), 1);
  EXPECT_EQ(text, "coh1000c.zip");
  EXPECT_EQ(ListMissingZips(Game("sfex2u"), text), 3);
  EXPECT_EQ(text, "sfex2u.zip, sfex2.zip, coh3002c.zip");
  EXPECT_EQ(ListMissingZips(Game("sfex2u"), text, 12), 3);
  EXPECT_EQ(text, "sfex2u.zip,");

  GameEntry no_set;
  EXPECT_TRUE(HasRoms(no_set));
  EXPECT_EQ(ListMissingZips(no_set, text), 0);

  WriteTestFile(dir.File("roms/coh1000c.zip"), "");
  ScanRomFolders("roms", "");
  EXPECT_TRUE(CanPlay(&Game("ts2u"), false));
  EXPECT_FALSE(CanPlay(&Game("ts2u"), true));
  EXPECT_FALSE(CanPlay(nullptr, false));
  GameEntry unknown = Game("ts2u");
  MarkNotInMame(unknown);
  EXPECT_FALSE(CanPlay(&unknown, false));
  EXPECT_EQ(GameCountsText(list), "462 games (PSX-based and Hyper Neo Geo 64 boards), 4 with ROMs");
}
