#include <gtest/gtest.h>

#include "options/hlsl_options.h"

namespace {
size_t Row(const char* name) {
  int row = FindHlslOption(name);
  EXPECT_GE(row, 0) << name;
  return static_cast<size_t>(row);
}
}  // namespace

TEST(HlslTable, EveryDefaultPassesItsOwnRowTest) {
  auto table = HlslOptionTable();
  ASSERT_EQ(table.size(), 72u);
  for (const HlslOption& option : table) {
    EXPECT_TRUE(IsValidHlslValue(option, option.default_value)) << option.name;
    EXPECT_EQ(FindHlslOption(option.name), &option - table.data()) << "duplicate name " << option.name;
  }
}

TEST(HlslTable, PresetsNameOnlyTableOptionsWithValidValues) {
  for (const HlslPreset& preset : HlslPresets()) {
    HlslValues values = ParseHlslOptions(preset.options);
    // Same pairs, perhaps in another order: nothing of the preset was passed over.
    std::string built = BuildHlslOptions(values);
    EXPECT_EQ(built.size(), std::string(preset.options).size()) << preset.label;
    EXPECT_EQ(ParseHlslOptions(built), values) << preset.label;
    auto table = HlslOptionTable();
    for (size_t row = 0; row < table.size(); ++row)
      EXPECT_TRUE(IsValidHlslValue(table[row], values[row])) << preset.label << " " << table[row].name;
  }
}

TEST(HlslOptionsText, ParsesPairsAndPassesOverEverythingElse) {
  HlslValues values = ParseHlslOptions("  stray -unknown 3  -scanline_alpha   0.4 -distortion -0.1 -bloom_scale");
  EXPECT_EQ(values[Row("scanline_alpha")], "0.4");
  EXPECT_EQ(values[Row("distortion")], "-0.1");  // taken as it is, no test
  EXPECT_EQ(values[Row("bloom_scale")], "0.0");   // name at the end without value
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0.4 -distortion -0.1");
}

TEST(HlslOptionsText, StoresOnlyTextsThatDifferFromTheDefaultText) {
  HlslValues values = ParseHlslOptions("");
  EXPECT_EQ(values, DefaultHlslValues());
  EXPECT_EQ(BuildHlslOptions(values), "");
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_alpha"), " 0.0\t"));
  EXPECT_EQ(BuildHlslOptions(values), "");
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_alpha"), "0"));
  EXPECT_EQ(BuildHlslOptions(values), "-scanline_alpha 0");
  // Table order, whatever order the text had.
  EXPECT_EQ(BuildHlslOptions(ParseHlslOptions("-bloom_scale 0.25 -scanline_alpha 0.5")),
            "-scanline_alpha 0.5 -bloom_scale 0.25");
}

TEST(HlslOptionsText, LengthLimitCountsUtf16Units) {
  EXPECT_TRUE(HlslOptionsFit(std::string(1023, 'a')));
  EXPECT_FALSE(HlslOptionsFit(std::string(1024, 'a')));
  // 512 two-byte characters are 512 units, not 1024.
  std::string wide;
  for (int i = 0; i < 1000; ++i) wide += "\xC3\xA9";
  EXPECT_TRUE(HlslOptionsFit(wide));
}

TEST(HlslValueTest, ListsNeedTheDefaultsFieldCountAndNumbers) {
  const HlslOption& overdrive = HlslOptionTable()[Row("bloom_overdrive")];
  EXPECT_TRUE(IsValidHlslValue(overdrive, "1,1,1"));
  EXPECT_TRUE(IsValidHlslValue(overdrive, "-0.5,+1.,.25"));
  EXPECT_FALSE(IsValidHlslValue(overdrive, "1.0,1.0"));
  EXPECT_FALSE(IsValidHlslValue(overdrive, "1;1;1"));
  EXPECT_FALSE(IsValidHlslValue(overdrive, "1,,1"));
  EXPECT_FALSE(IsValidHlslValue(overdrive, "-,+,."));
  EXPECT_FALSE(IsValidHlslValue(overdrive, "1, 1,1"));
  const HlslOption& defocus = HlslOptionTable()[Row("defocus")];
  EXPECT_TRUE(IsValidHlslValue(defocus, "0.4,0.4"));
  EXPECT_FALSE(IsValidHlslValue(defocus, "0.4,0.4,0.4"));
}

TEST(HlslValueTest, NumbersAndWholeNumbersKeepToTheirRange) {
  const HlslOption& width = HlslOptionTable()[Row("shadow_mask_x_count")];
  EXPECT_TRUE(IsValidHlslValue(width, "4096"));
  EXPECT_TRUE(IsValidHlslValue(width, "1"));
  for (const char* bad : {"0", "4097", "6.5", "6.0", "1e3", "0x10", "", "six", "nan"})
    EXPECT_FALSE(IsValidHlslValue(width, bad)) << bad;
  const HlslOption& jitter = HlslOptionTable()[Row("yiq_jitter")];
  EXPECT_TRUE(IsValidHlslValue(jitter, "-100"));
  EXPECT_TRUE(IsValidHlslValue(jitter, "100"));
  EXPECT_TRUE(IsValidHlslValue(jitter, "1e2"));
  EXPECT_FALSE(IsValidHlslValue(jitter, "-100.5"));
  EXPECT_FALSE(IsValidHlslValue(jitter, "inf"));
  EXPECT_FALSE(IsValidHlslValue(jitter, "1e999"));
  EXPECT_FALSE(IsValidHlslValue(jitter, "5 5"));
}

TEST(HlslValueTest, FileNamesRefuseBlanksAndQuotes) {
  const HlslOption& texture = HlslOptionTable()[Row("shadow_mask_texture")];
  EXPECT_TRUE(IsValidHlslValue(texture, "mask.png"));
  EXPECT_FALSE(IsValidHlslValue(texture, "shadow mask.png"));
  EXPECT_FALSE(IsValidHlslValue(texture, "a\"b.png"));
  EXPECT_FALSE(IsValidHlslValue(texture, "a\nb.png"));
}

TEST(HlslEditing, InvalidTextLeavesTheValueAndValidTextIsTrimmed) {
  HlslValues values = DefaultHlslValues();
  size_t row = Row("shadow_mask_x_count");
  EXPECT_FALSE(EditHlslValue(values, row, "4097"));
  EXPECT_EQ(values[row], "6");
  EXPECT_FALSE(EditHlslValue(values, row, "   "));
  EXPECT_TRUE(EditHlslValue(values, row, "\t12 "));
  EXPECT_EQ(values[row], "12");
  EXPECT_FALSE(EditHlslValue(values, 999, "1"));
}

TEST(HlslEditing, OnOffToggleAndItsStoredForm) {
  HlslValues values = DefaultHlslValues();
  size_t row = Row("yiq_enable");
  ToggleHlslValue(values, row);
  EXPECT_EQ(BuildHlslOptions(values), "-yiq_enable 1");
  EXPECT_EQ(HlslShownValue(HlslOptionTable()[row], values[row]), "On");
  ToggleHlslValue(values, row);
  EXPECT_EQ(BuildHlslOptions(values), "");
  values[row] = "yes";  // a hand-edited text toggles to On
  ToggleHlslValue(values, row);
  EXPECT_EQ(values[row], "1");
}

TEST(HlslEditing, PresetReplacesEveryValue) {
  HlslValues values = DefaultHlslValues();
  ASSERT_TRUE(EditHlslValue(values, Row("scanline_jitter"), "2"));
  values = ParseHlslOptions(HlslPresets()[4].options);
  EXPECT_EQ(values[Row("scanline_jitter")], "0.0");
  EXPECT_EQ(values[Row("defocus")], "0.4,0.4");
  EXPECT_EQ(values[Row("saturation")], "1.15");
}

TEST(HlslEditing, PromptNamesTheRange) {
  EXPECT_EQ(HlslPromptText(HlslOptionTable()[Row("yiq_jitter")]), "Jitter (-100 to 100):");
  EXPECT_EQ(HlslPromptText(HlslOptionTable()[Row("shadow_mask_usize")]), "Texture Width (U) (0 to 1):");
  EXPECT_EQ(HlslPromptText(HlslOptionTable()[Row("defocus")]), "Defocus (X,Y) (numbers separated by commas):");
}
