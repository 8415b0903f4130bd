// The options pages' drop-down entries and number fields: every setting value
// shows as an entry and reads back unchanged, also one the entries lack.
#include "app/page_values.h"

#include <gtest/gtest.h>

namespace {

TEST(PageValues, MappedChoicesPutTheValuesBehindTheEntries) {
  ChoiceList skip = FrameSkipChoices();
  EXPECT_EQ(skip.labels.front(), "Off");
  EXPECT_EQ(skip.labels.size(), 12u);
  EXPECT_EQ(skip.values[static_cast<size_t>(ChoiceIndexAdding(skip, -1))], -1);
  EXPECT_EQ(skip.labels[static_cast<size_t>(ChoiceIndexAdding(skip, -1))], "Auto");
  EXPECT_EQ(skip.labels[static_cast<size_t>(ChoiceIndexAdding(skip, 10))], "10");

  ChoiceList prescale = PrescaleChoices();
  EXPECT_EQ(ChoiceIndexAdding(prescale, 1), 0);  // position + 1
  EXPECT_EQ(ChoiceIndexAdding(prescale, 8), 7);
  ChoiceList scale = IntegerScaleChoices();
  EXPECT_EQ(ChoiceIndexAdding(scale, 0), 0);
  EXPECT_EQ(scale.labels[3], "3x");
  ChoiceList latency = AudioLatencyChoices();
  EXPECT_EQ(ChoiceIndexAdding(latency, 2), 1);
  ChoiceList rates = SampleRateChoices();
  EXPECT_EQ(ChoiceIndexAdding(rates, 44100), 3);
  EXPECT_EQ(rates.labels.size(), 5u);
}

TEST(PageValues, AValueTheEntriesLackGetsItsOwnEntry) {
  ChoiceList rates = SampleRateChoices();
  int at = ChoiceIndexAdding(rates, 11025, "%d Hz");
  EXPECT_EQ(at, 5);
  EXPECT_EQ(rates.labels[5], "11025 Hz");
  EXPECT_EQ(rates.values[5], 11025);
  EXPECT_EQ(ChoiceIndexAdding(rates, 11025, "%d Hz"), 5);  // found now, not added twice

  ChoiceList autofire = AutofireSpeedChoices();
  EXPECT_EQ(autofire.labels[static_cast<size_t>(ChoiceIndexAdding(autofire, 7))], "7");

  TextChoiceList device = LightgunDeviceChoices();
  EXPECT_EQ(TextChoiceIndexAdding(device, "LIGHTGUN"), 2);
  int odd = TextChoiceIndexAdding(device, "paddle");
  EXPECT_EQ(device.labels[static_cast<size_t>(odd)], "paddle");
  EXPECT_EQ(device.values[static_cast<size_t>(odd)], "paddle");
}

TEST(PageValues, ResolutionKeepsASizeThatIsNoDisplayMode) {
  DisplayModes modes{{800, 600}, {1920, 1080}};
  int selected = -1;
  ResolutionList auto_list = ResolutionChoices(modes, 0, 0, &selected);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(auto_list.labels, (std::vector<std::string>{"Auto (MAME's Choice)", "800 x 600", "1920 x 1080"}));
  ResolutionChoices(modes, 1920, 1080, &selected);
  EXPECT_EQ(selected, 2);
  ResolutionChoices(modes, 0, 768, &selected);  // no width: MAME picks
  EXPECT_EQ(selected, 0);
  ResolutionList odd = ResolutionChoices(modes, 1000, 700, &selected);
  EXPECT_EQ(selected, 3);
  EXPECT_EQ(odd.labels[3], "1000 x 700");
  EXPECT_EQ(odd.sizes[3], (std::pair<int32_t, int32_t>{1000, 700}));
}

TEST(PageValues, ControllerFileOffersAMissingSavedName) {
  int selected = -1;
  auto labels = ControllerFileChoices({"xarcade", "hotrod"}, "HOTROD", &selected);
  EXPECT_EQ(labels, (std::vector<std::string>{"None", "xarcade", "hotrod"}));
  EXPECT_EQ(selected, 2);
  labels = ControllerFileChoices({"xarcade"}, "gone", &selected);
  EXPECT_EQ(labels.back(), "gone");
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(ControllerFileOf(labels, selected, ""), "gone");
  EXPECT_EQ(ControllerFileOf(labels, 0, "gone"), "");
  ControllerFileChoices({}, "", &selected);
  EXPECT_EQ(selected, 0);
  std::vector<std::string> long_name{"None", std::string(64, 'n')};
  EXPECT_EQ(ControllerFileOf(long_name, 1, "kept"), "kept");
}

TEST(PageValues, TypedNumbersAreClampedAndJunkKeepsTheValue) {
  EXPECT_EQ(ReadNumberField("12", 0, 32, 5), 12);
  EXPECT_EQ(ReadNumberField(" 40 ", 0, 32, 5), 32);
  EXPECT_EQ(ReadNumberField("-3", 0, 100, 30), 0);
  EXPECT_EQ(ReadNumberField("", 0, 100, 30), 30);
  EXPECT_EQ(ReadNumberField("1,5", 0, 100, 30), 30);
  EXPECT_EQ(ReadNumberField("99999999999", 0, 100, 30), 100);  // beyond 32 bits: as large as it gets
}

TEST(PageValues, RomsFolderChoiceReplacesOrAppends) {
  EXPECT_EQ(RomsFieldAfterChoice("C:\\roms", "D:\\more", false), "D:\\more");
  EXPECT_EQ(RomsFieldAfterChoice("C:\\roms", "D:\\more", true), "C:\\roms;D:\\more");
  EXPECT_EQ(RomsFieldAfterChoice("  ", "D:\\more", true), "D:\\more");
  EXPECT_EQ(RomsFieldAfterChoice("C:\\roms;", "D:\\more", true), "C:\\roms;D:\\more");
  EXPECT_EQ(RomsFieldAfterChoice("C:\\roms; d:\\MORE", "D:\\more", true), "C:\\roms; d:\\MORE");
  EXPECT_EQ(FirstFolderOf(" ; C:\\roms ;D:\\x"), "C:\\roms");
  EXPECT_EQ(FirstFolderOf(""), "");

  // A folder whose own path holds a semicolon shows as pieces that name it together.
  auto is_folder = [](const std::string& p) { return p == "D:\\my;roms" || p == "roms" || p == "E:\\a;b;c"; };
  const struct {
    const char *field, *folder, *rest;
  } cases[] = {
      {"roms;D:\\my;roms", "D:\\my;roms", "roms"},
      {" D:\\my;roms ;; roms", "D:\\my;roms", " roms"},
      {"E:\\a;b;c;roms", "E:\\a;b;c", "roms"},
      {"roms;D:\\my;E:\\a", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    std::string folder, rest;
    EXPECT_EQ(FindSemicolonFolder(c.field, is_folder, folder, rest), c.folder != nullptr) << c.field;
    if (c.folder) EXPECT_EQ(folder + "|" + rest, std::string(c.folder) + "|" + c.rest) << c.field;
  }
}

}  // namespace
