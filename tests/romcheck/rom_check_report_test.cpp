// The Check ROM Set report end to end: zips in a ROM folder, the fake MAME answering -verifyroms as MAME 0.251 did.
#include "romcheck/rom_check_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "../../tools/fakemame/fakemame_record.h"
#include "settings/app_state.h"
#include "base/paths.h"
#include "romcheck/seven_zip.h"
#include "romcheck/zip_test_util.h"
#include "support/test_support.h"

using namespace ziptest;

namespace {

class RomCheckReport : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLauncherFolder(dir_.path());
    ResetSettings(App().settings);
    App().settings.roms_directory = dir_.File("roms");
    std::filesystem::create_directories(dir_.File("roms"));
    std::filesystem::copy_file(FakeMamePath(), dir_.File("mame.exe"));
    games_ = BuildGameList();
  }
  std::string Report(const char* set) {
    const GameEntry* entry = FindGameBySet(games_, set);
    EXPECT_NE(entry, nullptr);
    return BuildRomCheckReport(MakeRomCheckContext(*entry, App().settings, {}, games_));
  }
  std::string Header(const char* set) {
    return FindGameBySet(games_, set)->title + "\r\nROMs folder: " + dir_.File("roms") + "\r\n\r\n";
  }
  void Zip(const std::string& name, const std::vector<Member>& members) {
    WriteTestFile(dir_.File("roms/" + name), BuildZip(members));
  }

  TempDir dir_;
  GameList games_;
};

std::string Happy(const std::string& set) {
  return "\r\nMAME's own check (-verifyroms):\r\nromset " + set +
         " is good\r\n1 romsets found, 1 were OK.\r\n\r\nMAME is happy with this set: it should start.";
}
}  // namespace

TEST_F(RomCheckReport, CloneWithItsParentMissingSizesAndArguments) {
  Zip("sfex2u.zip", {Deflated("a.bin", RomLikeData(1000, 1)), Stored("b.bin", "x")});
  Zip("coh3002c.zip", {Deflated("bios.bin", std::string(1048576, '\0'))});
  EXPECT_EQ(Report("sfex2u"), Header("sfex2u") + "sfex2u.zip (game): OK - 2 files, 1 KB\r\n"
                                  "sfex2.zip (parent set): MISSING - put sfex2.zip into the ROMs folder\r\n"
                                  "coh3002c.zip (BIOS): OK - 1 files, 1.0 MB\r\n\r\n1 file(s) missing. \r\n" +
                                  Happy("sfex2u"));

  EXPECT_EQ(ZipSizeText(0) + ZipSizeText(1) + ZipSizeText(1048575) + ZipSizeText(1048576) + ZipSizeText(0xFFFFFFFFu),
            "0 KB1 KB1024 KB1.0 MB4096.0 MB");
  EXPECT_EQ(VerifyromsArguments("sfex2", ""), "-verifyroms sfex2");
}

TEST_F(RomCheckReport, TheTaskReadsOnlyItsContextWhileTheSettingsChange) {
  std::filesystem::create_directories(dir_.File("roms/tekken3"));
  WriteTestFile(dir_.File("fakemame-control.txt"), "text-mode=1\n");  // a Windows MAME's lines end in CRLF already
  const std::string expected = Header("tekken3") + "tekken3 (game): a folder, its files are not checked\r\n"
                               "\r\nAll the zip files are there and intact.\r\n" + Happy("tekken3");
  std::promise<std::string> done;
  std::future<std::string> report = done.get_future();
  ASSERT_TRUE(StartRomCheckTask(MakeRomCheckContext(*FindGameBySet(games_, "tekken3"), App().settings, {}, games_),
                                [&done](std::string text) { done.set_value(std::move(text)); }));
  Settings other;  // meanwhile the main thread applies other options and restores a backup
  ResetSettings(other);
  other.roms_directory = "nowhere";
  for (int i = 0; report.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready && i < 60000; ++i)
    App().settings = other;
  EXPECT_EQ(report.get(), expected);
}

TEST_F(RomCheckReport, SevenZipAndBiosInTheBiosFolder) {
  WriteTestFile(dir_.File("packed/x.bin"), std::string(1000, 'x'));
  ASSERT_EQ(std::system(("cd '" + dir_.File("packed") + "' && 7z a -bd -bso0 -bsp0 '" + dir_.File("roms/sfex2.7z") +
                         "' x.bin >/dev/null").c_str()), 0);
  App().settings.bios_directory = dir_.File("bios");
  WriteTestFile(dir_.File("bios/coh3002c.zip"), BuildZip({Stored("x", std::string(1048575, 'x'))}));
  std::string report = Report("sfex2");
  EXPECT_TRUE(report.starts_with(Header("sfex2") + "sfex2.7z (game): OK - 1 files, 1 KB\r\n"
                                 "coh3002c.zip (BIOS): OK - 1 files, 1024 KB\r\n"
                                 "\r\nAll the zip files are there and intact.\r\n")) << report;
  WriteTestFile(dir_.File("roms/sfex2.7z"), "7z");
  EXPECT_TRUE(Report("sfex2").starts_with(Header("sfex2") + "sfex2.7z (game): PROBLEM\r\n    - " + kSevenZipDamagedText));

  // Fifteen damaged members: twelve are listed, then how many more.
  std::vector<Member> members;
  for (int i = 0; i < 15; ++i) members.push_back(Stored("rom" + std::to_string(i), "data")), members.back().crc ^= 1;
  Zip("tekken3.zip", members);
  std::string expected = Header("tekken3") + "tekken3.zip (game): PROBLEM\r\n";
  for (int i = 0; i < 12; ++i) expected += "    - rom" + std::to_string(i) + ": wrong checksum (the file is corrupt)\r\n";
  expected += "    - ... and 3 more\r\n\r\n1 file(s) damaged: download them again.\r\n";
  EXPECT_EQ(Report("tekken3").substr(0, expected.size()), expected);
  // One that cannot be read (here a folder of that name) is found, and counted as damaged.
  std::filesystem::remove(dir_.File("roms/tekken3.zip"));
  std::filesystem::create_directory(dir_.File("roms/tekken3.zip"));
  EXPECT_TRUE(Report("tekken3").starts_with(Header("tekken3") + "tekken3.zip (game): found, but it cannot be read (in use, "
                                            "or no access?)\r\n\r\n1 file(s) damaged"));
}

TEST_F(RomCheckReport, TheRompathReachesMameIntactAndWithoutMameOnlyTheZipsAreChecked) {
  App().settings.roms_directory = dir_.File("roms\\");
  std::string report = Report("tekken3");
  auto calls = fakemame::ParseCalls(ReadTestFile(dir_.File("fakemame-calls.txt")));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"-verifyroms", "tekken3", "-rompath", dir_.File("roms\\")}));
  const std::string missing = "tekken3.zip (game): MISSING - put tekken3.zip into the ROMs folder\r\n\r\n"
                              "1 file(s) missing. \r\n\r\nMAME's own check (-verifyroms):\r\n";
  const std::string not_found =
      "romset \"tekken3\" not found!\r\n\r\nMAME found a problem (exit code 2): see the lines above.";
  EXPECT_TRUE(report.ends_with(missing + not_found)) << report;

  App().settings.roms_directory = dir_.File("roms");
  std::filesystem::remove(dir_.File("mame.exe"));
  EXPECT_EQ(Report("tekken3"),
            Header("tekken3") + missing +
                "mame.exe was not found (General tab > MAME Program), so this check could not run.\r\n");
  App().settings.roms_directory = "";  // none set: MAME's own roms folder, where the zip is found
  Zip("tekken3.zip", {});
  EXPECT_NE(Report("tekken3").find("\r\n\r\ntekken3.zip (game): PROBLEM\r\n    - the zip contains no files"), std::string::npos);
  // Found in the second of two folders; a mame.exe that cannot be started gives no verdict.
  App().settings.roms_directory = dir_.File("nowhere") + " ; " + dir_.File("roms");
  Zip("tekken3.zip", {Stored("a", "abc")});
  WriteTestFile(dir_.File("mame.exe"), "not a program");
  EXPECT_TRUE(Report("tekken3").ends_with("tekken3.zip (game): OK - 1 files, 1 KB\r\n\r\nAll the zip files are there and "
                                          "intact.\r\n\r\nMAME's own check (-verifyroms):\r\nMAME did not answer.\r\n"))
      << Report("tekken3");
  // The real MAME says the same of a set it cannot find.
  if (!std::filesystem::exists("/usr/games/mame")) GTEST_SKIP() << "MAME not installed";
  App().settings.mame_exe = "/usr/games/mame";
  EXPECT_TRUE(Report("tekken3").ends_with(not_found));
}

