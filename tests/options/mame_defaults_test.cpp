// The option table claims MAME's own defaults; the installed MAME is asked
// for its configuration with every ini file ignored, and must agree.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "options/mame_options.h"
#include "support/test_support.h"

namespace {
const char* kMame = "/usr/games/mame";

std::map<std::string, std::string> ShowConfig(const std::string& home) {
  std::map<std::string, std::string> config;
  std::string command = "cd '" + home + "' && HOME='" + home + "' " + kMame + " -noreadconfig -showconfig 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return config;
  std::string text;
  char block[4096];
  for (size_t got; (got = fread(block, 1, sizeof block, pipe)) > 0;) text.append(block, got);
  pclose(pipe);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    size_t gap = line.find(' ');
    std::string name = line.substr(0, gap);
    std::string value;
    if (gap != std::string::npos) {
      size_t start = line.find_first_not_of(' ', gap);
      if (start != std::string::npos) value = line.substr(start);
    }
    // Values holding blanks are printed in quotes.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    config[name] = value;
  }
  return config;
}
}  // namespace

TEST(MameOptionDefaults, AgreeWithTheInstalledMame) {
  if (!TestFileExists(kMame)) GTEST_SKIP() << "no MAME installed";
  TempDir home;
  auto config = ShowConfig(home.path());
  ASSERT_GT(config.size(), 100u);

  // Options of the table that this MAME (0.251, the SDL build for Linux)
  // does not print, and why.
  const std::map<std::string, std::string> unknown = {
      {"joystick_threshold", "added to MAME after 0.251"},
      {"background_input", "added to MAME after 0.251"},
      {"priority", "Windows build only"},
      {"triplebuffer", "Windows build only"},
      {"full_screen_brightness", "Windows build only"},
      {"full_screen_contrast", "Windows build only"},
      {"full_screen_gamma", "Windows build only"},
      {"dual_lightgun", "Windows build only"},
  };
  // Debian builds its MAME with its own ini folder; the plain MAME default is
  // what a Windows MAME beside the launcher uses.
  const std::set<std::string> distribution_defaults = {"inipath"};

  for (const MameOption& option : MameOptionTable()) {
    auto found = config.find(option.name);
    if (unknown.count(option.name)) {
      EXPECT_EQ(found, config.end()) << option.name << " is known now: compare its default";
      continue;
    }
    ASSERT_NE(found, config.end()) << option.name << " is unknown to this MAME";
    if (distribution_defaults.count(option.name)) continue;
    EXPECT_EQ(found->second, option.default_value) << option.name;
  }
}
