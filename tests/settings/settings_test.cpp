#include <gtest/gtest.h>

#include <vector>

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

TEST(SettingsRead, EachKeyTakesOnlyItsValuesWithinItsRange) {
  using S = Settings;
  const struct {
    const char* text;
    int32_t Settings::*field;
    int32_t expected;
  } cases[] = {
      {"VIDEO = 2", &S::video, 2},                 {"Fullscreen=YES", &S::fullscreen, 1},
      {"throttle=on", &S::throttle, 0},            {"logs=2", &S::logs, 0},
      {"mouse=True", &S::mouse, 1},                {"prescale=0", &S::prescale, 1},
      {"prescale=99999999999", &S::prescale, 8},   {"volume=-40", &S::volume, -32},
      {"volume=-99999999999", &S::volume, -32},    {"frameskip=-5", &S::frameskip, -1},
      {"sort_column=3", &S::sort_column, 1},       {"sort_column=9", &S::sort_column, 6},
      {"sort_column=-4", &S::sort_column, 0},
      {"theme_mode=7", &S::theme_mode, 0},         {"video=99", &S::video, 4},
      {"video=abc", &S::video, 0},                 {"video=3\nvideo=1", &S::video, 1},
      {"audio_latency=9", &S::audio_latency, 5},   {"joystick_deadzone=-1", &S::joystick_deadzone, 0},
      {"columns_hidden=255", &S::columns_hidden, 127},  {"options_window=2", &S::options_window, 0},
      {"preview_split=99999", &S::preview_split, 4000}, {"search_bar=0", &S::search_bar_hidden, 1},
      {"filters_bar=no", &S::filter_bar_hidden, 0},     {"toolbar=0", &S::toolbar_hidden, 1},
      {"favorites_only=yes", &S::favorites_only, 0},    {"sort_ascending=0", &S::sort_ascending, 0},
      {"preview_shown=0", &S::preview_shown, 0},        {"preview_shown=no", &S::preview_shown, 1},
      {"no equals sign here\n[KORVO]\n#video=3\n;video=3\n=5\nunknown_key=1\n", &S::video, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.text).*c.field, c.expected) << c.text;

  // Every clamped number at both ends of its range.
  const char* keys[] = {"on_game_start", "rotate", "bgfx_chain", "bgfx_backend", "sound", "joystick_provider",
                        "gl_glsl_filter", "integer_scale", "filter_scaler", "filter_dither", "joystick_saturation",
                        "joystick_deadzone", "audio_latency", "frameskip", "prescale", "volume", "video"};
  auto clamped = [&](const char* value) {
    std::string text;
    for (const char* key : keys) text += std::string(key) + "=" + value + "\n";
    Settings s = Parsed(text);
    return std::vector<int32_t>{s.on_game_start, s.rotate,        s.bgfx_chain,        s.bgfx_backend,
                                s.sound,         s.joystick_provider, s.gl_glsl_filter, s.integer_scale,
                                s.filter_scaler, s.filter_dither, s.joystick_saturation, s.joystick_deadzone,
                                s.audio_latency, s.frameskip,     s.prescale,          s.volume, s.video};
  };
  EXPECT_EQ(clamped("9999"), (std::vector<int32_t>{2, 4, 5, 5, 4, 4, 2, 8, 4, 3, 100, 100, 5, 10, 8, 0, 4}));
  EXPECT_EQ(clamped("-9999"), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, -1, 1, -32, 0}));
}

TEST(SettingsRead, ListsTextsAndWindowRectangle) {
  Settings s = Fresh();
  s.columns_games[1] = 7;
  s.columns_games[2] = 8;
  ParseSettingsText(s, "columns_games=100,,abc,4000,50");  // empty items skipped, junk and 4000 rejected
  EXPECT_EQ(std::vector<int32_t>(s.columns_games, s.columns_games + 5), (std::vector<int32_t>{100, 7, 8, 50, 0}));

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

  s = Parsed("glsl_shader=" + std::string(100, 'g') + "\nfilter_region=" + std::string(20, 'r') +
             "\nwindow_x=5\nwindow_y=6\nwindow_w=0\nwindow_h=7\n");
  EXPECT_EQ(s.glsl_shader.size(), 63u);
  EXPECT_EQ(s.filter_region.size(), 7u);
  EXPECT_EQ(s.main_window.w + s.main_window.x, 0);  // no width: no rectangle
  s = Parsed("window_x=-5\nwindow_y=6\nwindow_w=900\nwindow_h=700");
  EXPECT_EQ(std::vector<int32_t>({s.main_window.x, s.main_window.y, s.main_window.w, s.main_window.h}),
            std::vector<int32_t>({-5, 6, 900, 700}));

  std::string garbage;
  for (int i = 0; i < 300000; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_GE(Parsed(garbage).prescale, 1);
  s = Parsed("mame_exe=" + std::string(5'000'000, 'm') + "\nvideo=3\n");
  EXPECT_EQ(s.mame_exe.size(), 519u);
  EXPECT_EQ(s.video, 3);
}

TEST(SettingsFile, WritesHeaderAndIsStableAcrossSavesAndEditors) {
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
  for (const char* part : {"\r\nmame_exe=C:\\MAME\\mame.exe\r\nroms_directory=\r\n", "\r\ncolumns_games=0,0,120,0,0,0,0\r\n",
                           "\r\nwindow_x=10\r\nwindow_y=20\r\nwindow_w=900\r\nwindow_h=700\r\noptions_window=1\r\n",
                           "\r\npreview_shown=1\r\ncolumns_hidden=8\r\nfavorites=3,1\r\nrecent=\r\n"})
    EXPECT_NE(first.find(part), std::string::npos) << part;
  EXPECT_EQ(first.find("optwin_"), std::string::npos);
  EXPECT_EQ(first.find("splitter"), std::string::npos);
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

  // A missing file keeps the values; an unreadable one is kept aside.
  s.video = 3;
  LoadSettings(s, dir.File("absent.cfg"));
  EXPECT_EQ(s.video, 3);
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  WriteTestFile(path, utf32);
  LoadSettings(s, path);
  EXPECT_EQ(s.video, 3);
  EXPECT_EQ(ReadTestFile(path + ".unreadable"), utf32);

  // A favourite toggled moves to the end, once, and is saved.
  s.favorites = {7, 3, 7};
  ASSERT_TRUE(ToggleFavorite(s, 7, true, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{3, 7}));
  ASSERT_TRUE(ToggleFavorite(s, 3, false, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{7}));
  EXPECT_NE(ReadTestFile(dir.File("k.cfg")).find("favorites=7\r\n"), std::string::npos);
}

TEST(SettingsReset, DefaultSettingsKeepsPathsListsControlsAndLightGun) {
  Settings s = Fresh();
  s.roms_directory = "D:\\roms";
  s.favorites = {4};
  s.controls_profile = "Stick";
  s.hlsl_options = "-hlsl_enable 1";
  s.more_options = "-gamma 1.2 -lightgun_device mouse -lightgunprovider dinput";
  s.joystick_deadzone = 10, s.pad_exit_combo = 0, s.video = 3, s.binding_version = 5, s.preview_shown = 0;
  s.preview_split = 250;
  ResetSettings(s, &s);  // keep may be the record itself
  EXPECT_EQ(s.roms_directory + "|" + s.controls_profile + "|" + s.hlsl_options + "|" + s.more_options,
            "D:\\roms|Stick||-lightgun_device mouse -lightgunprovider dinput");
  EXPECT_EQ(s.favorites, (IdList{4}));
  EXPECT_EQ((std::vector<int32_t>{s.joystick_deadzone, s.pad_exit_combo, s.pad_navigation, s.binding_version,
                                  s.preview_shown, s.preview_split, s.video}),
            (std::vector<int32_t>{10, 0, 1, 5, 0, 250, 0}));

  Settings all = Fresh();
  all.roms_directory = "x";
  ResetSettings(all);
  EXPECT_EQ(all.roms_directory, "");
  EXPECT_EQ(all.audio_latency, 2);
  EXPECT_EQ(all.columns_hidden, 8);

  // The theme mode decides; the system answers for mode 0, and the written
  // dark_theme value is only informational.
  SetSystemPrefersDark(FakeSystemDark);
  g_dark = true;
  EXPECT_EQ(Parsed("theme_mode=0").dark_theme, 1);
  EXPECT_EQ(Parsed("theme_mode=1").dark_theme, 0);
  g_dark = false;
  EXPECT_EQ(Parsed("theme_mode=2\ndark_theme=0").dark_theme, 1);
  EXPECT_EQ(Parsed("theme_mode=0\ndark_theme=1").dark_theme, 0);
  SetSystemPrefersDark(nullptr);
}
