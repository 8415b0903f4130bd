// Profile names and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "controls/profiles.h"
#include "controls_test_env.h"

namespace {
std::string Clean(std::string name) {
  SanitizeProfileName(name);
  return name;
}
}  // namespace

TEST(ProfileNames, AreCleanedIntoSafeFileNames) {
  EXPECT_EQ(Clean("  my:pad/1.. "), "mypad1");
  EXPECT_EQ(Clean(std::string(70, 'x')), std::string(60, 'x'));
  EXPECT_EQ(Clean(std::string(59, 'x') + " yz"), std::string(59, 'x'));
  EXPECT_EQ(Clean("a\tb\x01<>|?*\"c"), "abc");
  EXPECT_EQ(Clean("   "), "");
  EXPECT_EQ(Clean("..."), "");
  EXPECT_EQ(Clean("pad . ."), "pad");
  // Names Windows would open as a device, whatever follows the first dot.
  for (const auto& [typed, saved] : std::vector<std::pair<std::string, std::string>>{
           {"nul", "nul_"},         {"con.x", "con_.x"},           {"aux .txt", "aux_ .txt"},
           {"CONIN$", "CONIN$_"},   {"conout$.a.b", "conout$_.a.b"}, {"COM0", "COM0_"},
           {"lpt9.x", "lpt9_.x"},   {"COM\xC2\xB9", "COM\xC2\xB9_"},  {"lpt\xC2\xB3.y", "lpt\xC2\xB3_.y"},
           {"con..", "con_"},       {"console.x", "console.x"},     {"COM10", "COM10"},
           {"com.x", "com.x"},      {"nul." + std::string(56, 'x'), "nul_." + std::string(55, 'x')}})
    EXPECT_EQ(Clean(typed), saved) << typed;
  EXPECT_EQ(Clean(std::string(200, 'e')).size(), 60u);
  EXPECT_EQ(Clean("Ärger über Über"), "Ärger über Über");
  // 60 characters of two bytes each stay whole characters.
  std::string wide;
  for (int i = 0; i < 70; ++i) wide += "é";
  EXPECT_EQ(Clean(wide).size(), 120u);
}

TEST(ProfileFiles, SaveReadRenameListAndDelete) {
  ControlsEnv env;
  InputMapping m;
  ResetToLauncherDefaults(m);
  ASSERT_TRUE(SaveProfile("Pad", m));
  EXPECT_TRUE(ProfileExists("Pad"));
  EXPECT_FALSE(ProfileDiffersFromMapping("Pad", m));
  InputMapping loaded;
  ApplyMappingText(loaded, *ReadProfile("Pad"));
  EXPECT_EQ(SerializeMapping(loaded), SerializeMapping(m));
  // Full MAME names in a hand-made profile are taken as they are.
  InputMapping full;
  ApplyMappingText(full, "bind=P1_BUTTON1\tKEYCODE_I\tJOYCODE_1_BUTTON3\t\t0\n");
  EXPECT_EQ(full.bindings[4].key, "I");
  EXPECT_EQ(full.bindings[4].pad, "1_BUTTON3");
  SetBindingKey(loaded, 4, "Q");
  EXPECT_TRUE(ProfileDiffersFromMapping("Pad", loaded));

  ASSERT_TRUE(RenameProfile("Pad", "PAD"));
  ASSERT_TRUE(SaveProfile("arcade", m));
  ASSERT_TRUE(SaveProfile("Zeta", m));
  EXPECT_FALSE(RenameProfile("PAD", "arcade"));  // never over another profile
  EXPECT_EQ(ListProfiles(), (std::vector<std::string>{"arcade", "PAD", "Zeta"}));
  EXPECT_EQ(ListProfiles(2), (std::vector<std::string>{"arcade", "PAD"}));

  WriteTestFile(env.dir.File("profiles/.cfg"), "");
  WriteTestFile(env.dir.File("profiles/" + std::string(61, 'n') + ".cfg"), "");
  WriteTestFile(env.dir.File("profiles/notes.txt"), "");
  std::filesystem::create_directories(env.dir.File("profiles/folder.cfg"));
  EXPECT_EQ(ListProfiles().size(), 3u);
  EXPECT_FALSE(ReadProfile("folder"));

  EXPECT_TRUE(DeleteProfile("PAD"));
  EXPECT_FALSE(ProfileExists("PAD"));
  EXPECT_FALSE(ReadProfile("PAD"));
  EXPECT_TRUE(ProfileDiffersFromMapping("PAD", m));
}
