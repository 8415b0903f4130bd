#include "catalogue/mame_usage.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/paths.h"
#include "support/test_support.h"

namespace {
std::string g_answer;
int g_result = 0, g_code = 0;
int FakeRun(const std::string&, const std::string&, const std::string& arguments, TextBuffer& output, uint32_t,
            int32_t* code) {
  EXPECT_EQ(arguments, "-showusage");
  output = g_answer;
  if (code) *code = g_code;
  return g_result;
}
}  // namespace

// MAME 0.251's own answer: names padded to their column, longer ones run into
// the description; kept in the cache for this mame.exe build only.
TEST(MameUsage, RecordedAnswerIsReadAndCachedPerBuild) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  WriteTestFile(dir.File("mame.exe"), "program v1");
  MameAsker mame{true, dir.path() + "\\mame.exe", dir.path(), FakeRun};
  g_answer = ReadTestFile(SourcePath("tests/fixtures/mame0251/showusage.txt"));
  g_result = g_code = 0;

  EXPECT_FALSE(CachedMameUsage(mame).Known());
  EXPECT_TRUE(HasMameOption(CachedMameUsage(mame), "joystick_threshold"));  // not asked: nothing is left out
  LoadMameUsage(false, mame);
  const MameUsage usage = CachedMameUsage(mame);
  // 19 characters leave one blank before the description, 20 run into it;
  // -noplugin is an option of its own; newer and Windows-only options are left out.
  const std::pair<const char*, bool> arguments[] = {
      {"-rompath", true},          {"-exit_after_playback", true}, {"-joystick_contradictory", true},
      {"-nojoystick_contradictory", true}, {"-beam_intensity_weight", true}, {"-noplugin", true},
      {"-joystick_threshold", false}, {"-nohlsl_enable", false},   {"-joystick", true}, {"-joystic", false},
      {"-no", false},              {"-", false},
  };
  for (const auto& [argument, has] : arguments) EXPECT_EQ(HasMameArgument(usage, argument), has) << argument;
  EXPECT_EQ(CachedMameUsage(mame).names, usage.names);  // read back from the cache

  WriteTestFile(dir.File("mame.exe"), "program v2, longer");  // another build
  EXPECT_FALSE(CachedMameUsage(mame).Known());

  // Answers that are not MAME's list leave the cache alone.
  const std::string cache = ReadTestFile(UsageCachePath());
  const std::tuple<int, int, std::string> unusable[] = {
      {3, 0, g_answer},                                  // timed out
      {0, 1, g_answer},                                  // refused
      {0, 0, "Error: unknown option: -showusage\n"},     // an old MAME
  };
  for (const auto& [result, code, answer] : unusable) {
    std::tie(g_result, g_code, g_answer) = std::tie(result, code, answer);
    LoadMameUsage(false, mame);
    EXPECT_FALSE(CachedMameUsage(mame).Known()) << answer.substr(0, 40);
    EXPECT_EQ(ReadTestFile(UsageCachePath()), cache);
  }
}
