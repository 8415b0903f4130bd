#include <gtest/gtest.h>

#include <algorithm>

#include "launch/mame_args.h"
#include "options/mame_options.h"

namespace {
size_t Row(const char* name) {
  int row = FindMameOption(name);
  EXPECT_GE(row, 0) << name;
  return static_cast<size_t>(row);
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
}

// Stored as MAME's own arguments: table options in table order, the others
// after them as they were; the last of a name wins, as in MAME.
TEST(MoreOptionsText, StoredFormsReadAndSet) {
  EXPECT_EQ(BuildMoreOptions(ParseMoreOptions("")), "");
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
  EXPECT_TRUE(SetMameOption(stored, "speed", "1.5"));
  EXPECT_EQ(stored, "-rewind -speed 1.5 -hlsl_snap_width 2048");
  stored.clear();
  EXPECT_FALSE(SetMameOption(stored, "not_an_option", "1"));
  EXPECT_FALSE(SetMameOption(stored, "speed", "1.0"));  // unchanged
  EXPECT_TRUE(SetMameOption(stored, "lightgun_device", " mouse "));
  EXPECT_TRUE(SetMameOption(stored, "rewind", "1"));
  EXPECT_EQ(stored, "-rewind -lightgun_device mouse");
  EXPECT_FALSE(SetMameOption(stored, "speed", "fast"));  // invalid: dropped silently
  EXPECT_TRUE(SetMameOption(stored, "rewind", "on"));    // anything but "1" is off
  EXPECT_TRUE(SetMameOption(stored, "lightgun_device", ""));
  EXPECT_EQ(stored, "");
  stored = "-snapname " + std::string(2030, 'x');
  const std::string before = stored;
  EXPECT_FALSE(SetMameOption(stored, "statename", std::string(30, 'y')));  // would not fit
  EXPECT_EQ(stored, before);
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

TEST(MameOptionSearch, MatchesNameDescriptionAndGroup) {
  auto names = [](const char* search) {
    std::string out;
    for (size_t row : FilterMameOptions(search)) out += std::string(MameOptionTable()[row].name) + " ";
    return out;
  };
  EXPECT_EQ(FilterMameOptions("").size(), 48u);
  EXPECT_EQ(names("lightgun"), "paddle_device pedal_device lightgun_device lightgunprovider dual_lightgun ");
  EXPECT_EQ(names("Core Screen"), "brightness contrast gamma effect ");
}
