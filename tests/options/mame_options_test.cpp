#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "launch/mame_args.h"
#include "options/hlsl_options.h"
#include "options/mame_options.h"
#include "options/option_list_rows.h"
#include "support/test_support.h"

namespace {
// The table tests check that every name is found.
size_t Row(const char* name) { return static_cast<size_t>(FindMameOption(name)); }
size_t HlslRow(const char* name) { return static_cast<size_t>(FindHlslOption(name)); }
// Options MAME 0.251 for Linux lacks: the first two are newer, the others of the Windows build only.
const std::set<std::string> kLackedBy0251 = {"joystick_threshold", "background_input", "priority", "triplebuffer",
                                             "full_screen_brightness", "full_screen_contrast", "full_screen_gamma",
                                             "dual_lightgun"};

// "name value" per line; values holding blanks are printed in quotes.
std::map<std::string, std::string> ShowConfig(const std::string& home) {
  std::map<std::string, std::string> config;
  std::string command = "cd '" + home + "' && HOME='" + home + "' " + kRealMame + " -noreadconfig -showconfig 2>/dev/null";
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

TEST(MameOptionTable, DefaultsAndLimitsPassTheirOwnTestsAndValuesTheirKinds) {
  auto table = MameOptionTable();
  ASSERT_EQ(table.size(), 48u);
  for (const MameOption& option : table) {
    EXPECT_EQ(FindMameOption(option.name), &option - table.data()) << "duplicate " << option.name;
    for (const char* text : {option.default_value, option.min, option.max})
      EXPECT_TRUE(!*text || IsValidMameOptionValue(option, text)) << option.name << " " << text;
  }
  const struct { const char *option, *value; bool valid; } cases[] = {
      {"rewind_capacity", "0", false},      {"rewind_capacity", "2049", false},    {"rewind_capacity", "1.5", false},
      {"rewind_capacity", "2048", true},    {"rewind_capacity", "1.0", false},     {"priority", "-16", false},
      {"priority", "-15", true},            {"priority", "1", true},               {"coin_impulse", "-5", true},
      {"coin_impulse", "2.5", false},       {"joystick_threshold", "0", true},     {"joystick_threshold", "1", true},
      {"joystick_threshold", "1.01", false}, {"speed", "abc", false},             {"speed", "0x1", false},
      {"speed", "0.09", false},             {"snapname", "any text", true},        {"snapname", "two\nlines", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsValidMameOptionValue(MameOptionTable()[Row(c.option)], c.value), c.valid) << c.option << " " << c.value;
  // The search matches group names too (its window test searches names and descriptions).
  std::string screen;
  for (size_t row : FilterMameOptions("Core Screen")) screen += std::string(MameOptionTable()[row].name) + " ";
  EXPECT_EQ(screen, "brightness contrast gamma effect ");
  EXPECT_EQ(FilterMameOptions("").size(), MameOptionTable().size());  // nothing typed: every row
}

// Stored as MAME's arguments: table options in table order, the others after them as they were; the last one wins.
TEST(MoreOptionsText, StoredFormsReadAndSet) {
  EXPECT_EQ(BuildMoreOptions(ParseMoreOptions("-nonvram_save -speed 2 -rewind")), "-rewind -speed 2 -nonvram_save");
  MameOptionValues values = ParseMoreOptions("stray -mystery \"a b\" -speed 2 -noodle");
  EXPECT_EQ(values.kept, (std::vector<std::string>{"stray", "-mystery", "a b", "-noodle"}));
  EXPECT_EQ(BuildMoreOptions(values), "-speed 2 stray -mystery \"a b\" -noodle");
  values = DefaultMameOptionValues();
  ToggleMameOptionValue(values, Row("rewind"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("rewind_capacity"), "256"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("snapname"), "%g shot %i"));
  EXPECT_EQ(BuildMoreOptions(values), "-rewind -rewind_capacity 256 -snapname \"%g shot %i\"");
  ToggleMameOptionValue(values, Row("rewind"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("snapname"), " "));  // empty: the default again
  EXPECT_EQ(BuildMoreOptions(values), "-rewind_capacity 256");

  const struct { const char *stored, *name, *value; } reads[] = {
      {"-nonvram_save", "nvram_save", "0"},          {"-norewind_capacity 5", "rewind_capacity", "100"},
      {"-speed 2 -speed 3", "speed", "3"},           {"-speed 2 -snapname", "snapname", "%g/%i"},
      {"-snapname \"a b -rewind", "snapname", "a b -rewind"},  // an unbalanced quote runs to the end
      {"-snapname \"a b -rewind", "rewind", "0"},    {"", "not_an_option", ""},
  };
  for (const auto& r : reads) EXPECT_EQ(GetMameOption(r.stored, r.name), r.value) << r.stored << " " << r.name;

  std::string stored = "-hlsl_snap_width 2048 -rewind";
  EXPECT_TRUE(SetMameOption(stored, "speed", "1.5") && stored == "-rewind -speed 1.5 -hlsl_snap_width 2048") << stored;
  stored.clear();  // "1.0" is the default; an invalid value is dropped silently; anything but "1" is off
  for (auto [name, value, changed, after] : std::initializer_list<std::tuple<const char*, const char*, bool, const char*>>{
           {"not_an_option", "1", false, ""}, {"speed", "1.0", false, ""},
           {"lightgun_device", " mouse ", true, "-lightgun_device mouse"},
           {"rewind", "1", true, "-rewind -lightgun_device mouse"}, {"speed", "fast", false, "-rewind -lightgun_device mouse"},
           {"rewind", "on", true, "-lightgun_device mouse"}, {"lightgun_device", "", true, ""}})
    EXPECT_TRUE(SetMameOption(stored, name, value) == changed && stored == after) << name << " " << value << ": " << stored;
  stored = "-snapname " + std::string(2030, 'x');
  const std::string before = stored;
  EXPECT_TRUE(!SetMameOption(stored, "statename", std::string(30, 'y')) && stored == before);  // would not fit
}

TEST(MoreOptionsText, EveryTypedValueReadsBackUnchangedAndReachesMame) {
  for (const char* sample : {"a b", "tab\there", "q\"uote", R"(\\server\share dir\\)", "\"", "\\", R"(a\"b)",
                             R"(C:\My Art\)", "-rewind"}) {
    std::string stored;
    ASSERT_TRUE(SetMameOption(stored, "artpath", sample)) << sample;
    EXPECT_EQ(GetMameOption(stored, "artpath"), sample) << stored;
    EXPECT_EQ(BuildMoreOptions(ParseMoreOptions(stored)), stored);
    ArgList args;
    ParseArgText(stored, args);
    EXPECT_EQ(args, (ArgList{"-artpath", sample}));
  }
}

TEST(HlslTable, DefaultsPassTheirRowTestsAndPresetsNameOnlyTableOptions) {
  auto table = HlslOptionTable();
  ASSERT_EQ(table.size(), 72u);
  for (const HlslOption& option : table) {
    EXPECT_TRUE(IsValidHlslValue(option, option.default_value)) << option.name;
    EXPECT_TRUE(option.min < option.max || option.kind == HlslKind::List || option.kind == HlslKind::FileName)
        << option.name << " leaves nothing to choose";
    EXPECT_EQ(FindHlslOption(option.name), &option - table.data()) << "duplicate name " << option.name;
  }
  // A preset names only table options: the same pairs come back.
  for (const HlslPreset& preset : HlslPresets())
    EXPECT_EQ(BuildHlslOptions(ParseHlslOptions(preset.options)).size(), std::string(preset.options).size()) << preset.label;
}

// Values are read untested, compared as texts ("0" is not the default "0.0"); a preset replaces every value.
TEST(HlslOptionsText, ParseEditAndBuild) {
  HlslValues values = ParseHlslOptions("  stray -scanline_alpha   0.4 -unknown 3  -distortion -0.1 -bloom_scale");
  EXPECT_EQ(values[HlslRow("bloom_scale")], "0.0");  // a name at the end has no value
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0.4 -distortion -0.1");
  values = DefaultHlslValues();
  ASSERT_TRUE(EditHlslValue(values, HlslRow("scanline_alpha"), " 0.0\t"));
  EXPECT_EQ(BuildHlslOptions(values), "");
  ASSERT_TRUE(EditHlslValue(values, HlslRow("scanline_alpha"), "0"));
  ToggleHlslValue(values, HlslRow("yiq_enable"));
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0 -yiq_enable 1");
  EXPECT_TRUE(!EditHlslValue(values, HlslRow("shadow_mask_x_count"), "4097") && values[HlslRow("shadow_mask_x_count")] == "6");
  EXPECT_FALSE(EditHlslValue(values, 999, "1"));
  ASSERT_TRUE(EditHlslValue(values, HlslRow("scanline_jitter"), "2"));
  values = ParseHlslOptions(HlslPresets()[4].options);
  EXPECT_EQ(values[HlslRow("scanline_jitter")] + " " + values[HlslRow("defocus")], "0.0 0.4,0.4");
  std::string longest;  // the stored text's limit counts UTF-16 units, not bytes
  for (size_t i = 0; i < kHlslOptionsMaxUnits; ++i) longest += "\xC3\xA9";
  EXPECT_TRUE(HlslOptionsFit(longest) && !HlslOptionsFit(longest + "x"));

  const struct { const char *option, *value; bool valid; } cases[] = {
      {"bloom_overdrive", "1,1,1", true},    {"bloom_overdrive", "-0.5,+1.,.25", true}, {"bloom_overdrive", "1.0,1.0", false},
      {"bloom_overdrive", "1;1;1", false},   {"bloom_overdrive", "1,,1", false},       {"bloom_overdrive", "-,+,.", false},
      {"bloom_overdrive", "1, 1,1", false},  {"defocus", "0.4,0.4,0.4", false},        {"shadow_mask_x_count", "4096", true},
      {"shadow_mask_x_count", "0", false},   {"shadow_mask_x_count", "4097", false},   {"shadow_mask_x_count", "6.5", false},
      {"shadow_mask_x_count", "6.0", false}, {"shadow_mask_x_count", "0x10", false},   {"yiq_jitter", "-100", true},
      {"yiq_jitter", "100", true},           {"yiq_jitter", "1e2", true},              {"yiq_jitter", "-100.5", false},
      {"yiq_jitter", "inf", false},          {"yiq_jitter", "1e999", false},           {"yiq_jitter", "", false},
      {"yiq_jitter", "5 5", false},          {"shadow_mask_texture", "mask.png", true}, {"shadow_mask_texture", "a b", false},
      {"shadow_mask_texture", "a\"b", false}, {"shadow_mask_texture", "a\nb", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsValidHlslValue(HlslOptionTable()[HlslRow(c.option)], c.value), c.valid) << c.option << " " << c.value;
}

TEST(OptionWindows, RowTextsPromptsAndTheRowsThisMameLacks) {
  auto texts = [](const OptionRowTexts& r) { return r.group + "|" + r.option + "|" + r.value + "|" + r.default_value; };
  HlslValues hlsl = ParseHlslOptions("-yiq_enable 1 -defocus 0.4,0.4");
  EXPECT_EQ(texts(HlslRowTexts(49, hlsl)) + " " + HlslRowTexts(44, hlsl).value, "NTSC (YIQ)|Enable|On|Off 0.4,0.4");
  MameOptionValues mame = ParseMoreOptions("-state \"my state\"");
  EXPECT_EQ(texts(MameOptionRowTexts(10, mame)), "Core State/Playback|state|my state|(none)");
  // The prompts of options without a range (those with one: the option windows' tests).
  EXPECT_EQ(MameOptionPromptText(MameOptionTable()[Row("state")]), "-state (empty = MAME's default):");
  EXPECT_EQ(HlslPromptText(HlslOptionTable()[HlslRow("offset")]), "Offset (R,G,B) (numbers separated by commas):");

  // MAME 0.251's SDL build lacks HLSL and the options above: those rows grey.
  MameUsage sdl;
  ASSERT_GT(ParseShowusage(ReadTestFile(SourcePath("tests/fixtures/mame0251/showusage.txt")), sdl), 50u);
  const std::vector<bool> hlsl_greyed = HlslRowsNotInMame(sdl), mame_greyed = MameOptionRowsNotInMame(sdl);
  EXPECT_EQ(hlsl_greyed, std::vector<bool>(72, true));
  std::set<std::string> greyed;
  for (size_t row = 0; row < mame_greyed.size(); ++row)
    if (mame_greyed[row]) greyed.insert(MameOptionTable()[row].name);
  EXPECT_EQ(greyed, kLackedBy0251);
  EXPECT_EQ(HlslRowsNotInMame(MameUsage{}), std::vector<bool>(72, false));
  EXPECT_EQ(HlslNoteLine(HlslRow("yiq_enable"), true) + HlslNoteLine(0, false),
            std::string("-yiq_enable:  ") + kNotInThisMameText + kHlslNote);
}

// The option table's defaults are MAME's: the installed MAME, reading no ini file, must agree.
TEST(MameOptionDefaults, AgreeWithTheInstalledMame) {
  if (!TestFileExists(kRealMame)) GTEST_SKIP() << "no MAME installed";
  TempDir home;
  auto config = ShowConfig(home.path());
  ASSERT_GT(config.size(), 100u);

  for (const MameOption& option : MameOptionTable()) {
    auto found = config.find(option.name);
    if (kLackedBy0251.count(option.name)) {
      EXPECT_EQ(found, config.end()) << option.name << " is known now: compare its default";
      continue;
    }
    ASSERT_NE(found, config.end()) << option.name << " is unknown to this MAME";
    if (option.name == std::string("inipath")) continue;  // Debian's own; a Windows MAME uses the plain default
    EXPECT_EQ(found->second, option.default_value) << option.name;
  }
}
