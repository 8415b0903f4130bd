// Profile names and files.
#include <gtest/gtest.h>

#include <filesystem>

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
  EXPECT_EQ(Clean("nul"), "nul_");
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
