#include "app/game_settings_form.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

const GameDisplayModes kModes = {{640, 480}, {1280, 720}, {1920, 1080}};

BiosOptions RecordedBios(const std::string& set) {
  std::string listing = ReadTestFile(SourcePath("tests/fixtures/mame0251/listxml/" + set + ".xml"));
  return BiosOptionsOf(ParseMachineListing(listing, set));
}

TEST(GameSettingsForm, EveryRowReadsBackToThePositionItShows) {
  GameSettingsForm form = MakeGameSettingsForm({}, 7, kModes, {});
  int rows_on_tab[kGameTabCount] = {};
  for (const GameChoiceRow& row : GameChoiceRows()) {
    ++rows_on_tab[row.tab];
    size_t count = GameChoiceItems(row.list, kModes).size();
    for (size_t p = 0; p < count; ++p) {
      GameSettingsChoices choices;
      choices.*row.field = static_cast<int>(p);
      GameSettings record = ReadGameSettingsForm(form, choices, 0);
      EXPECT_EQ(HasOverrides(record), p != 0) << row.label << " " << p;
      EXPECT_EQ(ChoicesFromGameSettings(record, kModes).*row.field, static_cast<int>(p)) << row.label << " " << p;
    }
  }
  // The Other tab then has BIOS, Extra Arguments and the DIP Switches button.
  EXPECT_EQ(std::vector<int>({rows_on_tab[kGameTabGeneral], rows_on_tab[kGameTabVideo], rows_on_tab[kGameTabAudio],
                              rows_on_tab[kGameTabOther]}), std::vector<int>({4, 4, 2, 3}));
}

TEST(GameSettingsForm, BiosReadBackKeepsWhatTheListCannotShow) {
  BiosOptions bios = RecordedBios("strgchmp");
  ASSERT_EQ(bios.size(), 3u);
  GameSettingsList list;
  GetOrCreateGameSettings(list, 269).bios = "dsem2";
  GameSettingsForm form = MakeGameSettingsForm(list, 269, kModes, bios);
  ASSERT_EQ(form.bios_position, 3);
  EXPECT_EQ(ReadGameSettingsForm(form, form.choices, 3).bios + "|" + ReadGameSettingsForm(form, form.choices, 1).bios +
                "|" + ReadGameSettingsForm(form, form.choices, 0).bios, "dsem2|std|");  // 0: Game Default
  EXPECT_FALSE(HasOverrides(ReadGameSettingsForm(form, form.choices, 0)));

  // No BIOS sets listed (or MAME not asked): the list is disabled and OK for another field keeps the stored name.
  GameSettingsForm unknown = MakeGameSettingsForm(list, 269, kModes, RecordedBios("sfex2"));
  EXPECT_FALSE(unknown.BiosEnabled());
  GameSettingsChoices choices = unknown.choices;
  choices.cheat = 1;
  GameSettings record = ReadGameSettingsForm(unknown, choices, 0);
  EXPECT_EQ(record.bios + "|" + std::to_string(record.cheat), "dsem2|1");

  // A name this MAME does not list stays while the list is left at Game Default, and goes when another set is chosen.
  GetOrCreateGameSettings(list, 269).bios = "GONE";
  GameSettingsForm stale = MakeGameSettingsForm(list, 269, kModes, bios);
  EXPECT_EQ(stale.bios_position, 0);
  EXPECT_EQ(ReadGameSettingsForm(stale, stale.choices, 0).bios + "|" + ReadGameSettingsForm(stale, stale.choices, 2).bios,
            "GONE|gchgchmp");
}

}  // namespace
