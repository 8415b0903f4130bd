#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/test_support.h"

namespace {
Settings Parsed(const std::string& text) {
  Settings s;
  ResetSettings(s);
  ParseSettingsText(s, text);
  return s;
}
std::string Written(const std::string& text) { return FormatSettingsText(Parsed(text)); }
bool WrittenHas(const std::string& text, const std::string& line) {
  return Written(text).find("\n" + line + "\r\n") != std::string::npos;
}
bool g_dark = false;

// Every key away from its default, as written: first those "Default Settings" keeps, then the others.
const std::string kKept =
    "settings_version=2\nmame_exe=C:\\m.exe\nroms_directory=D:\\roms\nbios_directory=D:\\bios\nbinding_version=5\njoystick=0\n"
    "joystick_provider=2\nmouse=1\nlightgun=1\njoystick_deadzone=10\njoystick_saturation=90\njoystick_contradictory=1\n"
    "mapping_overrides_game_cfg=0\nautofire_rate=3\npad_navigation=0\npad_exit_combo=0\ncontroller_file=hotrod\n"
    "more_options=-lightgun_device mouse -lightgunprovider dinput\ncontrols_profile=Stick\nonly_available=1\n"
    "window_x=1\nwindow_y=2\nwindow_w=800\nwindow_h=600\noptions_window=0\ntheme_mode=2\nsearch_bar=1\nfilters_bar=1\n"
    "toolbar=0\noptwin_x=3\noptwin_y=4\noptwin_w=500\noptwin_h=700\nauditwin_w=900\nauditwin_h=640\n"
    "favorites_only=1\nhide_not_working=1\nsort_column=5\nsort_ascending=0\n"
    "filter_region=JP\nfilter_maker=Namco\nfilter_genre=Quiz\nfilter_hardware=Konami GV\ncolumns_games=1,2,3,4,5,6,7,8,9\n"
    "splitter=300\npreview_shown=0\npreview_split=250\npreview_kind=flyers\ncolumns_hidden=9\nfavorites=4,5\nrecent=6\n";
const std::string kReset =
    "hide_console=0\non_game_start=2\nlogs=1\nvideo=3\nfullscreen=1\nres_w=640\nres_h=480\nrotate=2\nkeep_aspect=0\n"
    "uneven_stretch=0\nfilter=0\nprescale=3\nwait_vsync=1\nsync_refresh=1\nthrottle=0\nframeskip=4\nmaximize=1\n"
    "bgfx_chain=2\nbgfx_backend=3\nartwork_crop=1\nhlsl_enable=1\ngl_glsl=1\ninteger_scale=2\n"
    "filter_window=1\nfilter_scaler=3\nfilter_fxaa=1\nfilter_dither=2\ngl_glsl_filter=2\nglsl_shader=crt\nsound=2\n"
    "sample_rate=44100\nvolume=-8\naudio_latency=4\nhlsl_options=-hlsl_enable 1\nskip_gameinfo=1\nskip_warnings=1\n"
    "autosave=1\ncheat=1\nconfirm_quit=1\nextra_arguments=-nothrottle\n";
}  // namespace

TEST(SettingsRead, EveryKeyIsReadAndOnlyValuesWithinItsRangeAreTaken) {
  const std::string written = Written(kKept + kReset);
  for (const std::string* text : {&kKept, &kReset})
    for (size_t at = 0, end; (end = text->find('\n', at)) != std::string::npos; at = end + 1)
      EXPECT_NE(written.find("\n" + text->substr(at, end - at) + "\r\n"), std::string::npos) << text->substr(at, end - at);

  const struct { std::string key, low, high; } ranges[] = {
      {"on_game_start", "0", "2"}, {"rotate", "0", "4"}, {"bgfx_chain", "0", "5"}, {"bgfx_backend", "0", "5"},
      {"sound", "0", "4"}, {"joystick_provider", "0", "4"}, {"gl_glsl_filter", "0", "2"}, {"integer_scale", "0", "8"},
      {"filter_scaler", "0", "4"}, {"filter_dither", "0", "3"}, {"joystick_saturation", "0", "100"},
      {"joystick_deadzone", "0", "100"}, {"audio_latency", "1", "5"}, {"frameskip", "-1", "10"}, {"prescale", "1", "8"},
      {"volume", "-32", "0"}, {"video", "0", "4"}, {"sort_column", "0", "8"}, {"theme_mode", "0", "0"}};
  for (const auto& r : ranges)
    EXPECT_TRUE(WrittenHas(r.key + "=-9999", r.key + "=" + r.low) && WrittenHas(r.key + "=9999", r.key + "=" + r.high))
        << r.key;

  // Keys ignore case, flags take only one/yes/true, view switches only their exact text, junk keeps the old value.
  std::string recent = "recent=";
  for (int i = 0; i < 200; ++i) recent += "100,";  // at most 511 bytes are read: 127 whole items and a "100"
  const struct {
    std::string text, line;  // "!": no such line
  } cases[] = {
      {"VIDEO = 2", "video=2"},          {"Fullscreen=YES", "fullscreen=1"},    {"throttle=on", "throttle=0"},
      {"logs=2", "logs=0"},              {"mouse=True", "mouse=1"},             {"prescale=99999999999", "prescale=8"},
      {"sort_column=3", "sort_column=1"}, {"video=abc", "video=0"},             {"video=3\nvideo=1", "video=1"},
      {"options_window=2", "options_window=0"}, {"filters_bar=no", "filters_bar=1"}, {"toolbar=no", "toolbar=1"},
      {"options_window=1", "options_window=1"}, {"filters_bar=0", "filters_bar=0"},
      {"favorites_only=yes", "favorites_only=0"}, {"sort_ascending=yes", "sort_ascending=0"},
      {"preview_shown=no", "preview_shown=1"},   {"search_bar=0", "search_bar=0"}, {"columns_hidden=9", "columns_hidden=393"},
      {"settings_version=2\ncolumns_hidden=1023", "columns_hidden=511"}, {"hide_not_working=yes", "hide_not_working=0"},
      {"preview_split=99999", "preview_split=4000"}, {"preview_split=-5", "!preview_split="},
      {"auditwin_w=99999\nauditwin_h=600", "auditwin_w=8000\r\nauditwin_h=600"},
      {"volume=-99999999999", "volume=-32"},     {"favorites= 5 ,x,,12,-3", "favorites=5,12,-3"},
      {"columns_games=100,,abc,4000,50", "columns_games=100,0,0,50,0,0,0,0,0"},
      {"window_x=5\nwindow_y=6\nwindow_w=0\nwindow_h=7", "!window_x="},
      {"window_x=-5\nwindow_y=6\nwindow_w=900\nwindow_h=700", "window_x=-5\r\nwindow_y=6\r\nwindow_w=900\r\nwindow_h=700"},
      {"no equals sign\n[KORVO]\n#video=3\n;video=3\n=5\nunknown_key=1\n", "video=0"},
      {"glsl_shader=" + std::string(100, 'g'), "glsl_shader=" + std::string(63, 'g')},
      {"filter_region=" + std::string(20, 'r'), "filter_region=" + std::string(7, 'r')},
      {"mame_exe=" + std::string(5'000, 'm'), "mame_exe=" + std::string(519, 'm')},
      {recent, "recent=" + recent.substr(7, 127 * 4) + "100"},
  };
  for (const auto& c : cases) {
    bool absent = c.line[0] == '!';
    EXPECT_EQ(Written(c.text).find("\n" + c.line.substr(absent) + (absent ? "" : "\r\n")) == std::string::npos, absent)
        << c.text << " -> " << c.line;
  }
  Settings s = Parsed("favorites=1,2\nrecent=3");
  ParseSettingsText(s, "video=1");
  EXPECT_TRUE(s.favorites == (IdList{1, 2}) && s.recent == IdList{3});  // no list lines: kept
  ParseSettingsText(s, "favorites=");
  EXPECT_TRUE(s.favorites.empty());  // an empty line empties them
}

TEST(SettingsReset, DefaultSettingsKeepsPathsListsControlsViewAndLightGunAndTheThemeFollowsItsMode) {
  Settings s = Parsed(kKept + kReset +  // a light gun option without its value, at the end, goes
                      "more_options=-lightgun_device mouse -gamma 1.2 -lightgunprovider dinput -lightgun_device\n");
  ResetSettings(s, &s);  // keep may be the record itself
  EXPECT_EQ(FormatSettingsText(s), Written(kKept));
  s = Parsed(kKept);
  ResetSettings(s);
  EXPECT_EQ(FormatSettingsText(s), Written(""));
  // The options window's Cancel puts back the options it kept, not the view state written among them.
  Settings view = Parsed(kKept + kReset);
  CopyOptionsUnit(view, Parsed("video=2"));
  EXPECT_TRUE(view.video == 2 && view.mame_exe.empty() && view.only_available && view.binding_version == 5 && view.dark_theme);

  // The theme mode decides, the system answers for mode 0; a written dark_theme is only informational.
  SetSystemPrefersDark([] { return g_dark; });
  for (auto [dark, text, expected] : {std::tuple{true, "theme_mode=0", 1}, {true, "theme_mode=1", 0},
                                      {false, "theme_mode=2\ndark_theme=0", 1}, {false, "theme_mode=0\ndark_theme=1", 0}})
    EXPECT_EQ((g_dark = dark, Parsed(text).dark_theme), expected) << text;
  SetSystemPrefersDark(nullptr);
}

TEST(SettingsFile, WritesHeaderAndIsStableAcrossSavesAndEditors) {
  TempDir dir;
  std::string path = dir.File("korvo-settings.cfg");
  Settings s = Parsed("mame_exe=C:\\MAME\\mame.exe\nfavorites=3,1\ncolumns_games=0,0,0\n");
  ASSERT_TRUE(SaveSettings(s, path));
  std::string first = ReadTestFile(path);
  EXPECT_EQ(first.rfind("; Korvo settings (written by korvo; safe to edit by hand)\r\n[KORVO]\r\nsettings_version=2\r\n"
                        "mame_exe=C:\\MAME\\mame.exe\r\nroms_directory=\r\n", 0), 0u);
  for (const char* absent : {"optwin_", "auditwin_", "splitter", "preview_split", "window_x", "columns_games"})  // unset: not written
    EXPECT_EQ(first.find(absent), std::string::npos) << absent;
  EXPECT_EQ(first.substr(first.size() - 63), "\r\npreview_shown=1\r\ncolumns_hidden=392\r\nfavorites=3,1\r\nrecent=\r\n");

  // Read and written again byte for byte, also after another editor saved it (UTF-16, UTF-8 with its mark, CR ends).
  std::string cr_only = first;
  std::erase(cr_only, '\n');
  for (const std::string& edited : {first, Utf16WithMark(first, false), Utf16WithMark(first, true), "\xEF\xBB\xBF" + first, cr_only}) {
    SCOPED_TRACE(testing::PrintToString(edited.substr(0, 8)));
    WriteTestFile(path, edited);
    Settings again = Parsed("");
    LoadSettings(again, path);
    ASSERT_TRUE(SaveSettings(again, path));
    EXPECT_EQ(ReadTestFile(path), first);
  }

  // A save that fails is told, wherever it was asked for: here a folder stands in the way.
  static std::string failed;
  SetSettingsSaveFailedHook([](const std::string& at) { failed = at; });
  EXPECT_TRUE(!SaveSettings(s, dir.path()) && failed == dir.path());
  SetSettingsSaveFailedHook(nullptr);

  // A missing file keeps the values; an unreadable one is kept aside.
  s.video = 3;
  LoadSettings(s, dir.File("absent.cfg"));
  const std::string utf32 = std::string("\xFF\xFE\0\0v\0\0\0=\0\0\0" "2\0\0\0", 16);
  WriteTestFile(path, utf32);
  LoadSettings(s, path);
  EXPECT_TRUE(s.video == 3 && ReadTestFile(path + ".unreadable") == utf32);

  // A favourite toggled moves to the end, once, and is saved.
  s.favorites = {7, 3, 7};
  ASSERT_TRUE(ToggleFavorite(s, 7, true, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{3, 7}));
  ASSERT_TRUE(ToggleFavorite(s, 3, false, dir.File("k.cfg")));
  EXPECT_EQ(s.favorites, (IdList{7}));
  EXPECT_NE(ReadTestFile(dir.File("k.cfg")).find("favorites=7\r\n"), std::string::npos);
}
