#include <gtest/gtest.h>

#include "base/file_system.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {
Settings Fresh() {
  Settings s;
  ResetSettings(s);
  return s;
}
Settings Parsed(const std::string& text) {
  Settings s = Fresh();
  ParseSettingsText(s, text);
  return s;
}
bool g_dark = false;
bool FakeSystemDark() { return g_dark; }
}  // namespace

TEST(SettingsRead, KeysIgnoreCaseAndFlagsTakeOnlyOneYesTrue) {
  Settings s = Parsed("VIDEO = 2\r\nFullscreen=YES\r\nthrottle=on\r\nlogs=2\r\nmouse=True\r\n");
  EXPECT_EQ(s.video, 2);
  EXPECT_EQ(s.fullscreen, 1);
  EXPECT_EQ(s.throttle, 0);
  EXPECT_EQ(s.logs, 0);
  EXPECT_EQ(s.mouse, 1);
}

TEST(SettingsRead, ClampsAndSpecialRules) {
  Settings s = Parsed(
      "prescale=0\nvolume=-40\nframeskip=-5\nsort_column=3\ntheme_mode=7\nvideo=99\naudio_latency=9\n"
      "joystick_deadzone=-1\ncolumns_hidden=255\noptions_window=2\npreview_split=99999\n");
  EXPECT_EQ(s.prescale, 1);
  EXPECT_EQ(s.volume, -32);
  EXPECT_EQ(s.frameskip, -1);
  EXPECT_EQ(s.sort_column, 1);
  EXPECT_EQ(s.theme_mode, 0);
  EXPECT_EQ(s.video, 4);
  EXPECT_EQ(s.audio_latency, 5);
  EXPECT_EQ(s.joystick_deadzone, 0);
  EXPECT_EQ(s.columns_hidden, 127);
  EXPECT_EQ(s.options_window, 0);  // only exactly "1" turns it on
  EXPECT_EQ(s.preview_split, 4000);
  EXPECT_EQ(Parsed("sort_column=9").sort_column, 6);
  EXPECT_EQ(Parsed("video=abc").video, 0);  // unparsable keeps the old value
  EXPECT_EQ(Parsed("video=3\nvideo=1").video, 1);  // the last one wins
  // Far beyond 32 bits is still just out of range.
  EXPECT_EQ(Parsed("volume=-99999999999").volume, -32);
  EXPECT_EQ(Parsed("prescale=99999999999").prescale, 8);
}

TEST(SettingsRead, BarsAndViewState) {
  Settings s = Parsed("search_bar=0\nfilters_bar=no\ntoolbar=0\nfavorites_only=yes\nsort_ascending=0\npreview_shown=0\n");
  EXPECT_EQ(s.search_bar_hidden, 1);
  EXPECT_EQ(s.filter_bar_hidden, 0);  // anything but "0" shows it
  EXPECT_EQ(s.toolbar_hidden, 1);
  EXPECT_EQ(s.favorites_only, 0);  // only exactly "1"
  EXPECT_EQ(s.sort_ascending, 0);
  EXPECT_EQ(s.preview_shown, 0);
  EXPECT_EQ(Parsed("preview_shown=no").preview_shown, 1);  // like the bars: only "0" hides it
}

TEST(SettingsRead, ColumnWidthsSkipEmptyItemsAndRejectOutOfRange) {
  Settings s = Fresh();
  s.columns_games[1] = 7;
  s.columns_games[2] = 8;
  ParseSettingsText(s, "columns_games=100,,abc,4000,50");
  EXPECT_EQ(s.columns_games[0], 100);
  EXPECT_EQ(s.columns_games[1], 7);   // "abc"
  EXPECT_EQ(s.columns_games[2], 8);   // 4000
  EXPECT_EQ(s.columns_games[3], 50);
  EXPECT_EQ(s.columns_games[4], 0);
}

TEST(SettingsRead, FavouritesAndRecentLists) {
  Settings s = Fresh();
  s.favorites = {1, 2};
  ParseSettingsText(s, "video=1");
  EXPECT_EQ(s.favorites, (IdList{1, 2}));  // no favorites line: kept
  ParseSettingsText(s, "favorites=");
  EXPECT_TRUE(s.favorites.empty());  // an empty line empties them
  ParseSettingsText(s, "favorites= 5 ,x,,12,-3\nrecent=9,8");
  EXPECT_EQ(s.favorites, (IdList{5, 12, -3}));
  EXPECT_EQ(s.recent, (IdList{9, 8}));
  // recent is read from at most 511 bytes of its value: 127 whole "100," items and a last "100"
  std::string long_recent = "recent=";
  for (int i = 0; i < 200; ++i) long_recent += "100,";
  ParseSettingsText(s, long_recent);
  EXPECT_EQ(s.recent.size(), 128u);
}

TEST(SettingsRead, TextsAreCutToTheirFieldsAndWindowNeedsWidth) {
  Settings s = Parsed("glsl_shader=" + std::string(100, 'g') + "\nfilter_region=" + std::string(20, 'r') +
                      "\nwindow_x=5\nwindow_y=6\nwindow_w=0\nwindow_h=7\n");
  EXPECT_EQ(s.glsl_shader.size(), 63u);
  EXPECT_EQ(s.filter_region.size(), 7u);
  EXPECT_EQ(s.main_window.w, 0);
  EXPECT_EQ(s.main_window.x, 0);
  s = Parsed("window_x=-5\nwindow_y=6\nwindow_w=900\nwindow_h=700");
  EXPECT_EQ(s.main_window.x, -5);
  EXPECT_EQ(s.main_window.w, 900);
}

TEST(SettingsRead, GarbageBinaryAndHugeInputsLoad) {
  std::string garbage;
  for (int i = 0; i < 300000; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  Settings s = Parsed(garbage);
  EXPECT_GE(s.prescale, 1);
  std::string huge = "mame_exe=" + std::string(5'000'000, 'm') + "\nvideo=3\n";
  s = Parsed(huge);
  EXPECT_EQ(s.mame_exe.size(), 519u);
  EXPECT_EQ(s.video, 3);
  s = Parsed("no equals sign here\n[KORVO]\n#video=3\n;video=3\n=5\nunknown_key=1\n");
  EXPECT_EQ(s.video, 0);
}

TEST(SettingsFile, WritesHeaderAndIsStableAcrossSaves) {
  TempDir dir;
  std::string path = dir.File("korvo-settings.cfg");
  Settings s = Fresh();
  s.mame_exe = "C:\\MAME\\mame.exe";
  s.favorites = {3, 1};
  s.columns_games[2] = 120;
  s.main_window = {10, 20, 900, 700};
  ASSERT_TRUE(SaveSettings(s, path));
  std::string first = ReadTestFile(path);
  EXPECT_EQ(first.rfind("; Korvo settings (written by korvo; safe to edit by hand)\r\n[KORVO]\r\nsettings_version=1\r\n", 0),
            0u);
  EXPECT_NE(first.find("\r\nmame_exe=C:\\MAME\\mame.exe\r\nroms_directory=\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\ncolumns_games=0,0,120,0,0,0,0\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\nwindow_x=10\r\nwindow_y=20\r\nwindow_w=900\r\nwindow_h=700\r\noptions_window=1\r\n"),
            std::string::npos);
  EXPECT_EQ(first.find("optwin_"), std::string::npos);
  EXPECT_EQ(first.find("splitter"), std::string::npos);
  EXPECT_NE(first.find("\r\npreview_shown=1\r\ncolumns_hidden=8\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\ncolumns_hidden=8\r\nfavorites=3,1\r\nrecent=\r\n"), std::string::npos);
  EXPECT_EQ(first.substr(first.size() - 9), "recent=\r\n");

  Settings back = Fresh();
  LoadSettings(back, path);
  ASSERT_TRUE(SaveSettings(back, path));
  EXPECT_EQ(ReadTestFile(path), first);  // read and written again: byte for byte

  // Saved again by another editor (Notepad's "Unicode", UTF-8 with its mark,
  // line ends of an old Mac): every setting is still there.
  std::string cr_only;
  for (char c : first)
    if (c != '\n') cr_only += c;
  for (const std::string& edited : {Utf16WithMark(first, false), Utf16WithMark(first, true), "\xEF\xBB\xBF" + first, cr_only}) {
    SCOPED_TRACE(testing::PrintToString(edited.substr(0, 8)));
    WriteTestFile(path, edited);
    Settings again = Fresh();
    LoadSettings(again, path);
    ASSERT_TRUE(SaveSettings(again, path));
    EXPECT_EQ(ReadTestFile(path), first);
  }
}

TEST(SettingsFile, MissingFileKeepsValuesAndAnUnreadableOneIsKeptAside) {
  TempDir dir;
  Settings s = Fresh();
  s.video = 3;
  LoadSettings(s, dir.File("absent.cfg"));
  EXPECT_EQ(s.video, 3);
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  WriteTestFile(dir.File("korvo-settings.cfg"), utf32);
  LoadSettings(s, dir.File("korvo-settings.cfg"));
  EXPECT_EQ(s.video, 3);
  EXPECT_EQ(ReadTestFile(dir.File("korvo-settings.cfg.unreadable")), utf32);
}

TEST(SettingsReset, DefaultSettingsKeepsPathsListsControlsAndLightGun) {
  Settings s = Fresh();
  s.roms_directory = "D:\\roms";
  s.favorites = {4};
  s.joystick_deadzone = 10;
  s.controls_profile = "Stick";
  s.pad_exit_combo = 0;
  s.video = 3;
  s.hlsl_options = "-hlsl_enable 1";
  s.more_options = "-gamma 1.2 -lightgun_device mouse -lightgunprovider dinput";
  s.binding_version = 5;
  s.preview_shown = 0;
  s.preview_split = 250;
  ResetSettings(s, &s);  // keep may be the record itself
  EXPECT_EQ(s.roms_directory, "D:\\roms");
  EXPECT_EQ(s.favorites, (IdList{4}));
  EXPECT_EQ(s.joystick_deadzone, 10);
  EXPECT_EQ(s.controls_profile, "Stick");
  EXPECT_EQ(s.pad_exit_combo, 0);
  EXPECT_EQ(s.pad_navigation, 1);
  EXPECT_EQ(s.binding_version, 5);
  EXPECT_EQ(s.preview_shown, 0);
  EXPECT_EQ(s.preview_split, 250);
  EXPECT_EQ(s.video, 0);
  EXPECT_EQ(s.hlsl_options, "");
  EXPECT_EQ(s.more_options, "-lightgun_device mouse -lightgunprovider dinput");

  Settings all = Fresh();
  all.roms_directory = "x";
  ResetSettings(all);
  EXPECT_EQ(all.roms_directory, "");
  EXPECT_EQ(all.audio_latency, 2);
  EXPECT_EQ(all.columns_hidden, 8);
}

TEST(SettingsTheme, ModeDecidesAndSystemAnswersForModeZero) {
  SetSystemPrefersDark(FakeSystemDark);
  g_dark = true;
  EXPECT_EQ(Parsed("theme_mode=0").dark_theme, 1);
  EXPECT_EQ(Parsed("theme_mode=1").dark_theme, 0);
  g_dark = false;
  EXPECT_EQ(Parsed("theme_mode=2\ndark_theme=0").dark_theme, 1);  // the written value is informational
  EXPECT_EQ(Parsed("theme_mode=0\ndark_theme=1").dark_theme, 0);
  SetSystemPrefersDark(nullptr);
}

TEST(SettingsFavorites, ToggleMovesToTheEndAndSaves) {
  TempDir dir;
  Settings s = Fresh();
  s.favorites = {7, 3, 7};
  ASSERT_TRUE(ToggleFavorite(s, 7, true, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{3, 7}));
  ASSERT_TRUE(ToggleFavorite(s, 3, false, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{7}));
  EXPECT_NE(ReadTestFile(dir.File("k.cfg")).find("favorites=7\r\n"), std::string::npos);
}
