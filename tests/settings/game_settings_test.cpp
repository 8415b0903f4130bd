#include "settings/game_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/game_settings_texts.h"
#include "support/test_support.h"

namespace {
using namespace std::string_literals;

const std::string kHeader =
    "; Korvo per-game settings (written by korvo; a missing line means: same as the main settings)\r\n";

GameSettingsList Parse(const std::string& text) {
  GameSettingsList list;
  ParseGameSettingsText(list, text);
  return list;
}
std::string Reformat(const std::string& text) { return FormatGameSettingsText(Parse(text)); }

TEST(GameSettingsRecord, OverridesFindGetOrCreateStoreRemoveSaveAndLoad) {
  GameSettings g = NewGameSettings(37);
  g.res_h = 720;  // a height alone is no override (the window's lists check the other fields)
  EXPECT_FALSE(HasOverrides(g));
  g.extra_arguments = "-x";
  EXPECT_TRUE(HasOverrides(g));

  GameSettingsList list;
  GetOrCreateGameSettings(list, 5);
  GetOrCreateGameSettings(list, 7).cheat = 1;
  GetOrCreateGameSettings(list, 9).sound = 0;
  GetOrCreateGameSettings(list, 7).autosave = 0;
  EXPECT_EQ(FindGameSettings(list, 5), nullptr);  // present but follows the main settings
  EXPECT_EQ(FindGameSettings(list, 7)->autosave + list.size(), 3u);
  RemoveGameSettings(list, 7);
  EXPECT_EQ(list.size() * 100 + list[1].game, 209u);
  g = NewGameSettings(9);
  EXPECT_FALSE(StoreGameSettings(list, g));  // no overrides: removed
  g.rotate = 2, g.bios = "japan\0x"s, g.extra_arguments = "-a\r\n[game 9]\nvideo=1";  // a line end would start a line
  EXPECT_TRUE(StoreGameSettings(list, g));
  EXPECT_EQ(FormatGameSettingsText(list),
            kHeader + "\r\n[game 9]\r\nrotate=2\r\nbios=japan\r\nextra_arguments=-a  [game 9] video=1\r\n");

  // Saved, then loaded over another list; with no overrides left the file goes.
  TempDir dir;
  const std::string path = dir.File("korvo-games.cfg");
  GameSettingsList loaded;
  EXPECT_TRUE(SaveGameSettings(loaded, path));  // nothing to delete
  ASSERT_TRUE(SaveGameSettings(list, path));
  GetOrCreateGameSettings(loaded, 1).cheat = 1;
  LoadGameSettings(loaded, path);
  EXPECT_EQ(FormatGameSettingsText(loaded), FormatGameSettingsText(list));
  RemoveGameSettings(list, 9);
  EXPECT_TRUE(SaveGameSettings(list, path) && !TestFileExists(path));
  LoadGameSettings(loaded, path);
  EXPECT_TRUE(loaded.empty());
}

TEST(GameSettingsFile, ReadsOnlyValuesInRange) {
  // Every key at the low and the high end of its range, in the order written.
  auto section = [](std::vector<std::string> values, const char* game = "1") {
    const char* keys[] = {"video", "fullscreen", "size",  "rotate", "keep_aspect",   "filter",  "wait_vsync",
                          "bgfx_chain", "sound", "volume", "cheat", "skip_gameinfo", "autosave"};
    std::string text = std::string("\r\n[game ") + game + "]\r\n";
    for (size_t i = 0; i < values.size(); ++i) text += std::string(keys[i]) + "=" + values[i] + "\r\n";
    return text;
  };
  const std::string low = section({"0", "0", "160x120", "0", "0", "0", "0", "0", "0", "-32", "0", "0", "0"});
  const std::string high = section({"4", "1", "7680x4320", "4", "1", "1", "1", "5", "1", "0", "1", "1", "1"}, "1000");
  EXPECT_EQ(Reformat(low + "[game 3]\n" + high), kHeader + low + high);  // game 3 has no overrides: not written
  EXPECT_EQ(Reformat(section({"5", "2", "7681x4320", "5", "2", "2", "2", "6", "2", "1", "2", "2", "2"})), kHeader);
  for (const char* size : {"159x120", "160x119", "7680x4321", "1280x", "x720", "100x100", "8000x720", "999999999999x1"})
    EXPECT_EQ(Reformat(std::string("[game 1]\nsize=") + size + "\nvolume=-33"), kHeader) << size;

  // Keys ignore case and blanks; section-less lines, comments after values, lines without "=", unknown keys: skipped.
  EXPECT_EQ(Reformat("video=2\n[game 37]\nvolume=-40\nvideo=5\nrotate=abc\nbgfx_chain=5\nfullscreen = 1 \n"
                     "[game 38]\r\nvolume=-8\r\nsize=1280x720\r\nVideo=4\r\nSOUND=0\r\n"
                     "keep_aspect=1 # note\r\nno equals sign\r\nunknown=1\r\n"),
            kHeader + "\r\n[game 37]\r\nfullscreen=1\r\nbgfx_chain=5\r\n"
                      "\r\n[game 38]\r\nvideo=4\r\nsize=1280x720\r\nsound=0\r\nvolume=-8\r\n");
  EXPECT_EQ(Parse(Utf16WithMark("[game 5]\rvideo=2\r", true)).at(0).video, 2);  // another editor's file

  // Sections merge, a later line wins, other sections are ignored, texts are cut.
  EXPECT_EQ(Reformat("[game 4]\ncheat=1\nfilter=0\n[options]\ncheat=0\n[game x]\nvideo=1\n"
                     "[game  12 ] trailing\nwait_vsync=1\n[game 4]\ncheat=0\n"
                     "[game 99999]\nbios=" + std::string(60, 'b') + "\nextra_arguments=" + std::string(400, 'e') + "\n"),
            kHeader + "\r\n[game 4]\r\nfilter=0\r\ncheat=0\r\n\r\n[game 12]\r\nwait_vsync=1\r\n\r\n[game 99999]\r\nbios=" +
                std::string(39, 'b') + "\r\nextra_arguments=" + std::string(259, 'e') + "\r\n");

  // Bad bytes load without harm; numbers saturate; a text ends at a NUL, where MAME's command line would end.
  std::string junk = "[game 5]\ncheat=1\nbios=asia\0junk\nextra_arguments= -nothrottle \0-x\n"s;
  junk += std::string("\0\xff\xfe[game \x80]\n=\n[\n]\n[game 5\nvolume=-4\n", 36);
  junk += "[game -3]\nsound=0\n[game 2147483648]\nsound=1\nvolume=\nsize=x\n";
  EXPECT_EQ(Parse(junk).at(0).bios + "|" + Parse(junk).at(0).extra_arguments, "asia|-nothrottle");
  EXPECT_EQ(Reformat(junk), kHeader + "\r\n[game 5]\r\nvolume=-4\r\ncheat=1\r\nbios=asia\r\nextra_arguments=-nothrottle\r\n"
                                      "\r\n[game -3]\r\nsound=0\r\n\r\n[game 2147483647]\r\nsound=1\r\n");
}

TEST(GameSettingsChoicesTest, ListsAndTheirReadBackLineUp) {
  GameDisplayModes modes = {{640, 480}, {1280, 720}, {1920, 1080}};
  // The lists and their read-back are checked through the window's rows; here texts are trimmed, the last volume -32 dB.
  GameSettingsChoices c;
  c.volume = 9, c.bios = "  japan ", c.extra_arguments = "  -nothrottle  ";
  EXPECT_EQ(FormatGameSettingsText({GameSettingsFromChoices(5, c, modes)}),
            kHeader + "\r\n[game 5]\r\nvolume=-32\r\nbios=japan\r\nextra_arguments=-nothrottle\r\n");

  // Values the lists cannot show survive an OK that leaves them alone, and so do the typed ones.
  GameSettings odd = NewGameSettings(5);
  odd.res_w = 1000, odd.res_h = 700, odd.volume = -7, odd.bios = "japan", odd.extra_arguments = "-nothrottle";
  GameSettingsChoices odd_choices = ChoicesFromGameSettings(odd, modes);
  EXPECT_EQ(odd_choices.resolution + odd_choices.volume, 0);
  EXPECT_EQ(FormatGameSettingsText({GameSettingsFromChoices(5, odd_choices, modes, &odd)}),
            kHeader + "\r\n[game 5]\r\nsize=1000x700\r\nvolume=-7\r\nbios=japan\r\nextra_arguments=-nothrottle\r\n");
  odd_choices.volume = 3;
  EXPECT_EQ(GameSettingsFromChoices(5, odd_choices, modes, &odd).volume, -8);

  BiosOptions bios = {{"japan", "Japan BIOS"}, {"asia", "Asia BIOS"}};
  EXPECT_EQ(BiosChoiceName(2, bios) + "|" + BiosChoiceName(0, bios) + "|" + BiosChoiceName(3, bios), "asia||");
  EXPECT_EQ(BiosChoicePosition("ASIA", bios) * 10 + BiosChoicePosition("", bios), 20);
  EXPECT_EQ(BiosChoiceItems(BiosOptions(20, {"b", "d"})).size(), 16u);
}

}  // namespace
