// Profile names and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "controls/profiles.h"
#include "controls_test_env.h"

TEST(ProfileNames, AreCleanedIntoSafeFileNames) {
  std::string wide;  // 60 characters of two bytes each stay whole characters
  for (int i = 0; i < 70; ++i) wide += "é";
  // Names Windows would open as a device, whatever follows the first dot, get a mark.
  for (const auto& [typed, saved] : std::vector<std::pair<std::string, std::string>>{
           {"  my:pad/1.. ", "mypad1"},       {std::string(70, 'x'), std::string(60, 'x')},
           {std::string(59, 'x') + " yz", std::string(59, 'x')}, {"a\tb\x01<>|?*\"c", "abc"},
           {"   ", ""},                       {"...", ""},                    {"pad . .", "pad"},
           {"nul", "nul_"},                   {"con.x", "con_.x"},            {"aux .txt", "aux_ .txt"},
           {"CONIN$", "CONIN$_"},             {"conout$.a.b", "conout$_.a.b"}, {"COM0", "COM0_"},
           {"lpt9.x", "lpt9_.x"},             {"COM\xC2\xB9", "COM\xC2\xB9_"}, {"lpt\xC2\xB3.y", "lpt\xC2\xB3_.y"},
           {"con..", "con_"},                 {"console.x", "console.x"},     {"COM10", "COM10"},
           {"com.x", "com.x"},                {"nul." + std::string(56, 'x'), "nul_." + std::string(55, 'x')},
           {"Ärger über Über", "Ärger über Über"}, {wide, wide.substr(0, 120)}}) {
    std::string name = typed;
    SanitizeProfileName(name);
    EXPECT_EQ(name, saved) << typed;
  }
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
  InputMapping full;  // full MAME names in a hand-made profile are taken as they are
  ApplyMappingText(full, "bind=P1_BUTTON1\tKEYCODE_I\tJOYCODE_1_BUTTON3\t\t0\n");
  EXPECT_EQ(full.bindings[4].key + "|" + full.bindings[4].pad, "I|1_BUTTON3");
  SetBindingKey(loaded, 4, "Q");
  EXPECT_TRUE(ProfileDiffersFromMapping("Pad", loaded));

  ASSERT_TRUE(RenameProfile("Pad", "PAD"));
  ASSERT_TRUE(SaveProfile("arcade", m));
  ASSERT_TRUE(SaveProfile("Zeta", m));
  EXPECT_FALSE(RenameProfile("PAD", "arcade"));  // never over another profile
  EXPECT_EQ(ListProfiles(), (std::vector<std::string>{"arcade", "PAD", "Zeta"}));
  EXPECT_EQ(ListProfiles(2), (std::vector<std::string>{"arcade", "PAD"}));
  for (std::string odd : {std::string(".cfg"), std::string(61, 'n') + ".cfg", std::string("notes.txt")}) WriteTestFile(env.dir.File("profiles/" + odd), "");
  std::filesystem::create_directories(env.dir.File("profiles/folder.cfg"));
  EXPECT_EQ(ListProfiles().size(), 3u);
  EXPECT_FALSE(ReadProfile("folder"));
  EXPECT_TRUE(DeleteProfile("PAD"));
  EXPECT_FALSE(ProfileExists("PAD") || ReadProfile("PAD"));
  EXPECT_TRUE(ProfileDiffersFromMapping("PAD", m));
}
