// The option table's defaults are MAME's: the installed MAME, reading no ini file, must agree.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "options/mame_options.h"
#include "support/test_support.h"

namespace {
const char* kMame = "/usr/games/mame";

// "name value" per line; values holding blanks are printed in quotes.
std::map<std::string, std::string> ShowConfig(const std::string& home) {
  std::map<std::string, std::string> config;
  std::string command = "cd '" + home + "' && HOME='" + home + "' " + kMame + " -noreadconfig -showconfig 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  char line[4096];
  while (pipe && fgets(line, sizeof line, pipe)) {
    std::istringstream words(line);
    std::string name, value;
    if (!(words >> name) || name[0] == '#') continue;
    std::getline(words >> std::ws, value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    config[name] = value;
  }
  if (pipe) pclose(pipe);
  return config;
}
}  // namespace

TEST(MameOptionDefaults, AgreeWithTheInstalledMame) {
  if (!TestFileExists(kMame)) GTEST_SKIP() << "no MAME installed";
  TempDir home;
  auto config = ShowConfig(home.path());
  ASSERT_GT(config.size(), 100u);

  // Not printed by this MAME (0.251 for Linux): the first two are newer, the others of the Windows build only.
  const std::set<std::string> unknown = {"joystick_threshold", "background_input", "priority", "triplebuffer",
                                         "full_screen_brightness", "full_screen_contrast", "full_screen_gamma",
                                         "dual_lightgun"};
  for (const MameOption& option : MameOptionTable()) {
    auto found = config.find(option.name);
    if (unknown.count(option.name)) {
      EXPECT_EQ(found, config.end()) << option.name << " is known now: compare its default";
      continue;
    }
    ASSERT_NE(found, config.end()) << option.name << " is unknown to this MAME";
    if (option.name == std::string("inipath")) continue;  // Debian's own; a Windows MAME uses the plain default
    EXPECT_EQ(found->second, option.default_value) << option.name;
  }
}
