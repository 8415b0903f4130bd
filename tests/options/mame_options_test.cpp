#include <gtest/gtest.h>

#include "launch/mame_args.h"
#include "options/mame_options.h"

namespace {
size_t Row(const char* name) {
  int row = FindMameOption(name);
  EXPECT_GE(row, 0) << name;
  return static_cast<size_t>(row);
}
const MameOption& Option(const char* name) { return MameOptionTable()[Row(name)]; }
}  // namespace

TEST(MameOptionTable, DefaultsAndLimitsAreConsistent) {
  auto table = MameOptionTable();
  ASSERT_EQ(table.size(), 48u);
  for (const MameOption& option : table) {
    EXPECT_EQ(FindMameOption(option.name), &option - table.data()) << "duplicate " << option.name;
    if (*option.default_value) {
      EXPECT_TRUE(IsValidMameOptionValue(option, option.default_value)) << option.name;
    }
    if (*option.min) {
      EXPECT_TRUE(IsValidMameOptionValue(option, option.min)) << option.name;
    }
    if (*option.max) {
      EXPECT_TRUE(IsValidMameOptionValue(option, option.max)) << option.name;
    }
  }
}

TEST(MoreOptionsText, EmptyAndUnchangedTextsRoundTrip) {
  EXPECT_EQ(BuildMoreOptions(ParseMoreOptions("")), "");
  // Rebuilt in table order with the same arguments.
  EXPECT_EQ(BuildMoreOptions(ParseMoreOptions("-nonvram_save -speed 2 -rewind")), "-rewind -speed 2 -nonvram_save");
}

TEST(MoreOptionsText, OnOffForms) {
  MameOptionValues values = DefaultMameOptionValues();
  ToggleMameOptionValue(values, Row("rewind"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("rewind_capacity"), "256"));
  EXPECT_EQ(BuildMoreOptions(values), "-rewind -rewind_capacity 256");
  ToggleMameOptionValue(values, Row("rewind"));
  EXPECT_EQ(BuildMoreOptions(values), "-rewind_capacity 256");
  ToggleMameOptionValue(values, Row("nvram_save"));
  EXPECT_EQ(BuildMoreOptions(values), "-rewind_capacity 256 -nonvram_save");

  EXPECT_EQ(GetMameOption("-nonvram_save", "nvram_save"), "0");
  EXPECT_EQ(GetMameOption("", "nvram_save"), "1");
  EXPECT_EQ(GetMameOption("-norewind_capacity", "rewind_capacity"), "100");  // no such negation
}

TEST(MoreOptionsText, QuotedValuesReadBackUnchanged) {
  MameOptionValues values = DefaultMameOptionValues();
  ToggleMameOptionValue(values, Row("rewind"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("rewind_capacity"), "256"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("snapname"), "%g shot %i"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("artpath"), R"(C:\My Art\)"));
  ASSERT_TRUE(EditMameOptionValue(values, Row("state"), "say \"hi\""));
  std::string stored = BuildMoreOptions(values);
  EXPECT_EQ(stored,
            R"(-artpath "C:\My Art\\" -state "say \"hi\"" -rewind -rewind_capacity 256 -snapname "%g shot %i")");
  EXPECT_EQ(ParseMoreOptions(stored).values, values.values);

  // Any one-line text a user can type survives the stored form.
  for (const char* sample : {"a b", "tab\there", "q\"uote", R"(\\server\share dir\\)", "\"", "\\", "%g shot %i",
                             R"(a\"b)", "trailing\\"}) {
    std::string text = "-snapname " + QuoteArg(sample);
    std::string again = BuildMoreOptions(ParseMoreOptions(text));
    EXPECT_EQ(GetMameOption(again, "snapname"), sample) << again;
    std::string set;
    ASSERT_TRUE(SetMameOption(set, "snapname", sample)) << sample;
    EXPECT_EQ(GetMameOption(set, "snapname"), sample) << set;
  }
}

TEST(MoreOptionsText, UnknownOptionsAndStrayWordsAreKeptInOrder) {
  MameOptionValues values = ParseMoreOptions("stray -mystery \"a b\" -speed 2 -noodle -snapname");
  EXPECT_EQ(values.values[Row("speed")], "2");
  EXPECT_EQ(values.values[Row("snapname")], "%g/%i");  // name at the end without a value
  EXPECT_EQ(values.kept, (std::vector<std::string>{"stray", "-mystery", "a b", "-noodle"}));
  EXPECT_EQ(BuildMoreOptions(values), "-speed 2 stray -mystery \"a b\" -noodle");

  std::string stored = "-hlsl_snap_width 2048 -rewind";
  EXPECT_TRUE(SetMameOption(stored, "speed", "1.5"));
  EXPECT_EQ(stored, "-rewind -speed 1.5 -hlsl_snap_width 2048");
}

TEST(MoreOptionsText, UnbalancedQuoteGivesTheRestAsOneValue) {
  EXPECT_EQ(GetMameOption("-snapname \"a b -rewind", "snapname"), "a b -rewind");
  EXPECT_EQ(GetMameOption("-snapname \"a b -rewind", "rewind"), "0");
}

TEST(MoreOptionsText, LaterOccurrenceWinsAsInMame) {
  EXPECT_EQ(GetMameOption("-speed 2 -speed 3", "speed"), "3");
  EXPECT_EQ(GetMameOption("-rewind -norewind", "rewind"), "0");
}

TEST(MameOptionValueTest, RangesAndKinds) {
  struct Case {
    const char* option;
    const char* value;
    bool valid;
  } cases[] = {
      {"rewind_capacity", "0", false},    {"rewind_capacity", "2049", false}, {"rewind_capacity", "1.5", false},
      {"rewind_capacity", "2048", true},  {"rewind_capacity", "1.0", false},  {"priority", "-16", false},
      {"priority", "-15", true},          {"priority", "1", true},            {"coin_impulse", "-5", true},
      {"coin_impulse", "2.5", false},     {"joystick_threshold", "0", true},  {"joystick_threshold", "1", true},
      {"joystick_threshold", "1.01", false}, {"speed", "abc", false},        {"speed", "0.1", true},
      {"speed", "0.09", false},           {"gamma", "3.0", true},             {"snapname", "any text at all", true},
      {"snapname", "two\nlines", false},  {"rewind", "1", true},              {"rewind", "yes", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidMameOptionValue(Option(c.option), c.value), c.valid) << c.option << " " << c.value;
}

TEST(MameOptionEditing, EmptyMeansDefaultAndInvalidLeavesTheValue) {
  MameOptionValues values = DefaultMameOptionValues();
  size_t effect = Row("effect");
  ASSERT_TRUE(EditMameOptionValue(values, effect, "scan.png"));
  ASSERT_TRUE(EditMameOptionValue(values, effect, " \t"));
  EXPECT_EQ(values.values[effect], "none");
  size_t capacity = Row("rewind_capacity");
  EXPECT_FALSE(EditMameOptionValue(values, capacity, "2049"));
  EXPECT_EQ(values.values[capacity], "100");
}

TEST(SetMameOption, ChangesOnlyWhatItShould) {
  std::string stored;
  EXPECT_FALSE(SetMameOption(stored, "not_an_option", "1"));
  EXPECT_FALSE(SetMameOption(stored, "speed", "1.0"));  // unchanged
  EXPECT_EQ(stored, "");
  EXPECT_TRUE(SetMameOption(stored, "lightgun_device", " mouse "));
  EXPECT_TRUE(SetMameOption(stored, "rewind", "1"));
  EXPECT_EQ(stored, "-rewind -lightgun_device mouse");
  EXPECT_FALSE(SetMameOption(stored, "speed", "fast"));  // invalid: dropped silently
  EXPECT_FALSE(SetMameOption(stored, "speed", "two\nlines"));
  EXPECT_TRUE(SetMameOption(stored, "rewind", "on"));  // anything but "1" is off
  EXPECT_EQ(stored, "-lightgun_device mouse");
  EXPECT_TRUE(SetMameOption(stored, "lightgun_device", ""));
  EXPECT_EQ(stored, "");
  EXPECT_EQ(GetMameOption(stored, "not_an_option"), "");
}

TEST(SetMameOption, KeepsTheOldTextWhenTheNewOneWouldNotFit) {
  std::string stored = "-snapname " + std::string(2030, 'x');
  std::string before = stored;
  EXPECT_FALSE(SetMameOption(stored, "statename", "yyyyyyyyyyyyyyyyyyyyyyyyyyy"));
  EXPECT_EQ(stored, before);
  EXPECT_TRUE(MoreOptionsFit(std::string(2047, 'a')));
  EXPECT_FALSE(MoreOptionsFit(std::string(2048, 'a')));
}

TEST(MameOptionSearch, MatchesNameDescriptionAndGroup) {
  auto names = [](const char* search) {
    std::vector<std::string> out;
    for (size_t row : FilterMameOptions(search)) out.push_back(MameOptionTable()[row].name);
    return out;
  };
  EXPECT_EQ(FilterMameOptions("").size(), 48u);
  auto lightgun = names("lightgun");
  for (const char* name : {"lightgun_device", "lightgunprovider", "dual_lightgun"})
    EXPECT_NE(std::find(lightgun.begin(), lightgun.end(), name), lightgun.end()) << name;
  EXPECT_EQ(names("Core Screen"), (std::vector<std::string>{"brightness", "contrast", "gamma", "effect"}));
  EXPECT_TRUE(names("no such words").empty());
}

TEST(MameOptionEditing, PromptAndShownTexts) {
  EXPECT_EQ(MameOptionPromptText(Option("rewind_capacity")), "-rewind_capacity (1 to 2048; empty = MAME's default):");
  EXPECT_EQ(MameOptionPromptText(Option("coin_impulse")), "-coin_impulse (empty = MAME's default):");
  EXPECT_EQ(MameOptionShownValue(Option("state"), ""), "(none)");
  EXPECT_EQ(MameOptionShownValue(Option("rewind"), "1"), "On");
}
