// The launcher's global settings: one record, its defaults, and korvo-settings.cfg.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_buffer.h"

// Fixed text-field sizes, in UTF-16 units including the terminating NUL
// (a field holds at most size - 1 units).
constexpr int kPathFieldSize = 520;
constexpr int kShortFieldSize = 64;
constexpr int kMoreOptionsSize = 2048;
constexpr int kHlslOptionsSize = 1024;
constexpr int kColumnCount = 9;
// Columns 7 and 8 (Last Played, Time Played) came with settings_version 2: an
// older file's columns_hidden does not hide them, though they start hidden.
constexpr int32_t kNewColumnsHidden = (1 << 7) | (1 << 8);
constexpr int32_t kColumnsHiddenMask = (1 << kColumnCount) - 1;
constexpr int kCurrentBindingVersion = 5;

struct WindowRect {
  int32_t x = 0, y = 0, w = 0, h = 0;  // w == 0: not saved
};

struct Settings {
  // Paths
  std::string mame_exe, roms_directory, bios_directory;
  // General
  int32_t hide_console = 1, on_game_start = 0, logs = 0;
  // Video
  int32_t video = 0, fullscreen = 0, res_w = 0, res_h = 0, rotate = 0, keep_aspect = 1, uneven_stretch = 1,
          filter = 1, prescale = 1, wait_vsync = 0, sync_refresh = 0, throttle = 1, frameskip = 0, maximize = 0,
          bgfx_chain = 0, bgfx_backend = 0, artwork_crop = 0, hlsl_enable = 0, gl_glsl = 0, gl_glsl_filter = 1,
          integer_scale = 0, filter_window = 0, filter_scaler = 2, filter_fxaa = 0, filter_dither = 0;
  std::string glsl_shader;
  // Audio
  int32_t sound = 0, sample_rate = 0, volume = 0, audio_latency = 2;
  // Controls
  int32_t joystick = 1, joystick_provider = 0, mouse = 0, lightgun = 0, joystick_deadzone = 30,
          joystick_saturation = 85, joystick_contradictory = 0, autofire_rate = 1, mapping_overrides_game_cfg = 1;
  int32_t pad_navigation = 1, pad_exit_combo = 1;  // couch mode: the pad drives the launcher, Back + Start ends a game
  std::string controller_file, controls_profile;
  // Advanced
  int32_t skip_gameinfo = 0, skip_warnings = 0, autosave = 0, cheat = 0, confirm_quit = 0;
  std::string extra_arguments, more_options, hlsl_options;
  // List and view state
  int32_t only_available = 0, favorites_only = 0, binding_version = 0;
  int32_t hide_not_working = 0;  // View > Hide Games That Do Not Work
  std::string filter_region, filter_maker, filter_genre, filter_hardware;
  int32_t sort_column = 1, sort_ascending = 1, dark_theme = 0, theme_mode = 0;
  int32_t search_bar_hidden = 1, filter_bar_hidden = 1, toolbar_hidden = 0;
  int32_t columns_hidden = 8 | kNewColumnsHidden, options_window = 1;
  int32_t columns_games[kColumnCount] = {};
  int32_t splitter = 0;
  int32_t preview_shown = 1;  // the picture of the selected game beside (or under) the list
  int32_t preview_split = 0;  // the preview's width beside the list, or height under it (96-DPI units); 0 = automatic
  std::string preview_kind;   // the kind of picture the preview shows (snapshots when empty)
  IdList favorites, recent;
  // Window rectangles (not part of the options unit)
  WindowRect main_window, options_window_rect;
  int32_t audit_window_w = 0, audit_window_h = 0;  // Check All ROM Sets' size in 96-DPI units; 0 = its first size
};

// Where the system's light/dark preference comes from; the Win32 build reads
// the registry, tests can replace it.
using SystemPrefersDarkFn = bool (*)();
void SetSystemPrefersDark(SystemPrefersDarkFn fn);
bool SystemPrefersDark();

// Every field to its default; with `keep`, the values that survive
// "Default Settings" are carried over from it (it may be `s` itself).
void ResetSettings(Settings& s, const Settings* keep = nullptr);
// Reads the file's bytes (in any editor's encoding) into `s`; keys the text
// does not mention keep their values. Returns how many lines were taken.
size_t ParseSettingsText(Settings& s, std::string_view bytes);
// Reads korvo-settings.cfg; a missing file changes nothing but the theme, and
// one of which nothing could be read is kept aside before it is overwritten.
void LoadSettings(Settings& s, const std::string& path);
TextBuffer FormatSettingsText(const Settings& s);
bool SaveSettings(const Settings& s, const std::string& path);
// Told of every SaveSettings that fails, wherever it was asked for (most
// saves are silent): the main window says so once.
using SettingsSaveFailedFn = void (*)(const std::string& path);
void SetSettingsSaveFailedHook(SettingsSaveFailedFn fn);
bool ToggleFavorite(Settings& s, int32_t game_number, bool on, const std::string& path);
void ApplyThemeMode(Settings& s);

// Copies the options unit (paths, general, video, audio, controls, advanced)
// from one record into another, leaving view state alone.
void CopyOptionsUnit(Settings& to, const Settings& from);
