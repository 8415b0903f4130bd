#include <gtest/gtest.h>

#include "options/hlsl_options.h"
#include "options/option_list_rows.h"

namespace {
size_t Row(const char* name) {
  int row = FindHlslOption(name);
  EXPECT_GE(row, 0) << name;
  return static_cast<size_t>(row);
}
}  // namespace

TEST(HlslTable, DefaultsPassTheirRowTestsAndPresetsNameOnlyTableOptions) {
  auto table = HlslOptionTable();
  ASSERT_EQ(table.size(), 72u);
  for (const HlslOption& option : table) {
    EXPECT_TRUE(IsValidHlslValue(option, option.default_value)) << option.name;
    EXPECT_EQ(FindHlslOption(option.name), &option - table.data()) << "duplicate name " << option.name;
  }
  // A preset names only table options: the same pairs come back.
  for (const HlslPreset& preset : HlslPresets())
    EXPECT_EQ(BuildHlslOptions(ParseHlslOptions(preset.options)).size(), std::string(preset.options).size()) << preset.label;
}

// Values are taken without a test when read, compared as texts ("0" is not
// the default "0.0"), and a preset replaces every value, also those it does
// not name.
TEST(HlslOptionsText, ParseEditAndBuild) {
  HlslValues values = ParseHlslOptions("  stray -unknown 3  -scanline_alpha   0.4 -distortion -0.1 -bloom_scale");
  EXPECT_EQ(values[Row("bloom_scale")], "0.0");  // a name at the end has no value
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0.4 -distortion -0.1");
  EXPECT_EQ(BuildHlslOptions(ParseHlslOptions("")), "");
  values = DefaultHlslValues();
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_alpha"), " 0.0\t"));
  EXPECT_EQ(BuildHlslOptions(values), "");
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_alpha"), "0"));
  ToggleHlslValue(values, Row("yiq_enable"));
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0 -yiq_enable 1");
  EXPECT_FALSE(EditHlslValue(values, Row("shadow_mask_x_count"), "4097"));
  EXPECT_EQ(values[Row("shadow_mask_x_count")], "6");
  EXPECT_FALSE(EditHlslValue(values, 999, "1"));
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_jitter"), "2"));
  values = ParseHlslOptions(HlslPresets()[4].options);
  EXPECT_EQ(values[Row("scanline_jitter")] + " " + values[Row("defocus")], "0.0 0.4,0.4");

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
    EXPECT_EQ(IsValidHlslValue(HlslOptionTable()[Row(c.option)], c.value), c.valid) << c.option << " " << c.value;
}

TEST(OptionWindows, HeightsWithinTheirLimitsAndRowTexts) {
  EXPECT_EQ(std::to_string(HlslWindowHeight(1000)) + " " + std::to_string(HlslWindowHeight(600)) + " " +
                std::to_string(HlslWindowHeight(400)) + " " + std::to_string(MameOptionsWindowHeight(1000)) + " " +
                std::to_string(MameOptionsWindowHeight(650)) + " " + std::to_string(MameOptionsWindowHeight(300)),
            "570 510 380 600 560 400");
  auto texts = [](const OptionRowTexts& r) { return r.group + "|" + r.option + "|" + r.value + "|" + r.default_value; };
  HlslValues hlsl = ParseHlslOptions("-yiq_enable 1 -defocus 0.4,0.4");
  EXPECT_EQ(texts(HlslRowTexts(49, hlsl)), "NTSC (YIQ)|Enable|On|Off");
  EXPECT_EQ(HlslRowTexts(44, hlsl).value, "0.4,0.4");
  MameOptionValues mame = ParseMoreOptions("-nonvram_save -state \"my state\"");
  EXPECT_EQ(texts(MameOptionRowTexts(10, mame)), "Core State/Playback|state|my state|(none)");
  EXPECT_EQ(texts(MameOptionRowTexts(35, mame)), "Core Misc|nvram_save|Off|On");
  EXPECT_EQ(MameOptionRowTexts(16, DefaultMameOptionValues()).value, "(none)");  // aviwrite
  EXPECT_EQ(MameOptionDescriptionLine(12), "-rewind_capacity:  rewind buffer size in megabytes");
}
