#include "settings/settings.h"

#include <cstring>

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "base/text_util.h"

namespace {

enum class Kind { Int, Flag, Text };

struct KeyInfo {
  const char* key;
  Kind kind;
  int32_t Settings::*number;
  std::string Settings::*text;
  int text_size;
};

constexpr KeyInfo I(const char* k, int32_t Settings::*f) { return {k, Kind::Int, f, nullptr, 0}; }
constexpr KeyInfo F(const char* k, int32_t Settings::*f) { return {k, Kind::Flag, f, nullptr, 0}; }
constexpr KeyInfo T(const char* k, std::string Settings::*f, int size) { return {k, Kind::Text, nullptr, f, size}; }

// The table keys, in the order they are written.
const KeyInfo kKeys[] = {
    T("mame_exe", &Settings::mame_exe, kPathFieldSize),
    T("roms_directory", &Settings::roms_directory, kPathFieldSize),
    T("bios_directory", &Settings::bios_directory, kPathFieldSize),
    F("hide_console", &Settings::hide_console),
    I("on_game_start", &Settings::on_game_start),
    I("binding_version", &Settings::binding_version),
    F("logs", &Settings::logs),
    I("video", &Settings::video),
    F("fullscreen", &Settings::fullscreen),
    I("res_w", &Settings::res_w),
    I("res_h", &Settings::res_h),
    I("rotate", &Settings::rotate),
    F("keep_aspect", &Settings::keep_aspect),
    F("uneven_stretch", &Settings::uneven_stretch),
    F("filter", &Settings::filter),
    I("prescale", &Settings::prescale),
    F("wait_vsync", &Settings::wait_vsync),
    F("sync_refresh", &Settings::sync_refresh),
    F("throttle", &Settings::throttle),
    I("frameskip", &Settings::frameskip),
    F("maximize", &Settings::maximize),
    I("bgfx_chain", &Settings::bgfx_chain),
    I("bgfx_backend", &Settings::bgfx_backend),
    F("artwork_crop", &Settings::artwork_crop),
    F("hlsl_enable", &Settings::hlsl_enable),
    F("gl_glsl", &Settings::gl_glsl),
    I("integer_scale", &Settings::integer_scale),
    F("filter_window", &Settings::filter_window),
    I("filter_scaler", &Settings::filter_scaler),
    F("filter_fxaa", &Settings::filter_fxaa),
    I("filter_dither", &Settings::filter_dither),
    I("gl_glsl_filter", &Settings::gl_glsl_filter),
    T("glsl_shader", &Settings::glsl_shader, kShortFieldSize),
    I("sound", &Settings::sound),
    I("sample_rate", &Settings::sample_rate),
    I("volume", &Settings::volume),
    I("audio_latency", &Settings::audio_latency),
    F("joystick", &Settings::joystick),
    I("joystick_provider", &Settings::joystick_provider),
    F("mouse", &Settings::mouse),
    F("lightgun", &Settings::lightgun),
    I("joystick_deadzone", &Settings::joystick_deadzone),
    I("joystick_saturation", &Settings::joystick_saturation),
    F("joystick_contradictory", &Settings::joystick_contradictory),
    F("mapping_overrides_game_cfg", &Settings::mapping_overrides_game_cfg),
    I("autofire_rate", &Settings::autofire_rate),
    F("pad_navigation", &Settings::pad_navigation),
    F("pad_exit_combo", &Settings::pad_exit_combo),
    T("controller_file", &Settings::controller_file, kShortFieldSize),
    T("hlsl_options", &Settings::hlsl_options, kHlslOptionsSize),
    T("more_options", &Settings::more_options, kMoreOptionsSize),
    T("controls_profile", &Settings::controls_profile, kShortFieldSize),
    F("skip_gameinfo", &Settings::skip_gameinfo),
    F("skip_warnings", &Settings::skip_warnings),
    F("autosave", &Settings::autosave),
    F("cheat", &Settings::cheat),
    F("confirm_quit", &Settings::confirm_quit),
    T("extra_arguments", &Settings::extra_arguments, kPathFieldSize),
    F("only_available", &Settings::only_available),
    F("dark_theme", &Settings::dark_theme),
};
static_assert(sizeof kKeys / sizeof kKeys[0] == 60, "the settings file has 60 table keys");

SystemPrefersDarkFn g_prefers_dark = nullptr;
SettingsSaveFailedFn g_save_failed = nullptr;

bool FlagValue(std::string_view v) { return v == "1" || EqualsNoCase(v, "yes") || EqualsNoCase(v, "true"); }

void ParseIdList(std::string_view text, size_t max_bytes, IdList& out) {
  out.clear();
  text = text.substr(0, max_bytes);
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    int32_t id;
    if (ParseInt(TrimNarrow(text.substr(start, comma - start)), id)) out.push_back(id);
    start = comma + 1;
  }
}

void ParseColumnWidths(std::string_view text, int32_t (&widths)[kColumnCount]) {
  int column = 0;
  size_t start = 0;
  while (start <= text.size() && column < kColumnCount) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view item = text.substr(start, comma - start);
    start = comma + 1;
    if (item.empty()) continue;  // empty items are skipped, not counted
    int32_t width;
    if (ParseInt(TrimNarrow(item), width) && width >= 0 && width <= 3999) widths[column] = width;
    ++column;
  }
}

void AppendIdList(TextBuffer& out, const char* key, const IdList& list) {
  out += key;
  out += '=';
  for (size_t i = 0; i < list.size(); ++i) {
    if (i) out += ',';
    AppendFormat(out, "%d", list[i]);
  }
  out += "\r\n";
}

void ClampAll(Settings& s) {
  s.sort_column = s.sort_column == 3 ? 1 : Clamp(s.sort_column, 0, kColumnCount - 1);
  s.on_game_start = Clamp(s.on_game_start, 0, 2);
  s.video = Clamp(s.video, 0, 4);
  s.rotate = Clamp(s.rotate, 0, 4);
  s.bgfx_chain = Clamp(s.bgfx_chain, 0, 5);
  s.bgfx_backend = Clamp(s.bgfx_backend, 0, 5);
  s.sound = Clamp(s.sound, 0, 4);
  s.joystick_provider = Clamp(s.joystick_provider, 0, 4);
  s.prescale = Clamp(s.prescale, 1, 8);
  s.gl_glsl_filter = Clamp(s.gl_glsl_filter, 0, 2);
  s.integer_scale = Clamp(s.integer_scale, 0, 8);
  s.filter_scaler = Clamp(s.filter_scaler, 0, 4);
  s.filter_dither = Clamp(s.filter_dither, 0, 3);
  s.frameskip = Clamp(s.frameskip, -1, 10);
  s.volume = Clamp(s.volume, -32, 0);
  s.audio_latency = Clamp(s.audio_latency, 1, 5);
  s.joystick_deadzone = Clamp(s.joystick_deadzone, 0, 100);
  s.joystick_saturation = Clamp(s.joystick_saturation, 0, 100);
  s.columns_hidden &= kColumnsHiddenMask;
  s.options_window = s.options_window ? 1 : 0;
  s.preview_split = Clamp(s.preview_split, 0, 4000);
  s.audit_window_w = Clamp(s.audit_window_w, 0, 8000);
  s.audit_window_h = Clamp(s.audit_window_h, 0, 8000);
}

// Keeps "-lightgun_device X" and "-lightgunprovider X" out of more_options.
std::string LightGunOptions(const std::string& more) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < more.size()) {
    while (i < more.size() && (more[i] == ' ' || more[i] == '\t')) ++i;
    size_t start = i;
    while (i < more.size() && more[i] != ' ' && more[i] != '\t') ++i;
    if (i > start) words.push_back(more.substr(start, i - start));
  }
  std::string kept;
  for (size_t w = 0; w + 1 < words.size(); ++w) {
    if (words[w] != "-lightgun_device" && words[w] != "-lightgunprovider") continue;
    std::string pair = words[w] + " " + words[w + 1];
    std::string joined = kept.empty() ? pair : kept + " " + pair;
    if (Utf16Length(joined) < static_cast<size_t>(kMoreOptionsSize)) kept = joined;
    ++w;
  }
  return kept;
}
}  // namespace

void SetSystemPrefersDark(SystemPrefersDarkFn fn) { g_prefers_dark = fn; }
bool SystemPrefersDark() { return g_prefers_dark && g_prefers_dark(); }

void ApplyThemeMode(Settings& s) {
  if (s.theme_mode == 2)
    s.dark_theme = 1;
  else if (s.theme_mode == 1)
    s.dark_theme = 0;
  else
    s.dark_theme = SystemPrefersDark() ? 1 : 0;
}

void CopyOptionsUnit(Settings& to, const Settings& from) {
  for (const KeyInfo& k : kKeys) {
    if (!std::strcmp(k.key, "binding_version") || !std::strcmp(k.key, "only_available") ||
        !std::strcmp(k.key, "dark_theme"))
      continue;  // view state that happens to be written among the table keys
    if (k.kind == Kind::Text)
      to.*k.text = from.*k.text;
    else
      to.*k.number = from.*k.number;
  }
}

void ResetSettings(Settings& s, const Settings* keep) {
  Settings fresh;
  if (keep) {
    const Settings& k = *keep;  // read before `s` (which may be `keep`) is overwritten
    fresh.mame_exe = k.mame_exe;
    fresh.roms_directory = k.roms_directory;
    fresh.bios_directory = k.bios_directory;
    fresh.only_available = k.only_available;
    fresh.favorites_only = k.favorites_only;
    fresh.hide_not_working = k.hide_not_working;
    fresh.search_bar_hidden = k.search_bar_hidden;
    fresh.filter_bar_hidden = k.filter_bar_hidden;
    fresh.toolbar_hidden = k.toolbar_hidden;
    fresh.columns_hidden = k.columns_hidden;
    fresh.options_window = k.options_window;
    fresh.sort_column = k.sort_column;
    fresh.sort_ascending = k.sort_ascending;
    fresh.theme_mode = k.theme_mode;
    std::memcpy(fresh.columns_games, k.columns_games, sizeof fresh.columns_games);
    fresh.splitter = k.splitter;
    fresh.preview_shown = k.preview_shown;
    fresh.preview_split = k.preview_split;
    fresh.preview_kind = k.preview_kind;
    fresh.filter_region = k.filter_region;
    fresh.filter_maker = k.filter_maker;
    fresh.filter_genre = k.filter_genre;
    fresh.filter_hardware = k.filter_hardware;
    fresh.favorites = k.favorites;
    fresh.recent = k.recent;
    fresh.joystick = k.joystick;
    fresh.joystick_provider = k.joystick_provider;
    fresh.mouse = k.mouse;
    fresh.lightgun = k.lightgun;
    fresh.joystick_deadzone = k.joystick_deadzone;
    fresh.joystick_saturation = k.joystick_saturation;
    fresh.joystick_contradictory = k.joystick_contradictory;
    fresh.autofire_rate = k.autofire_rate;
    fresh.mapping_overrides_game_cfg = k.mapping_overrides_game_cfg;
    fresh.pad_navigation = k.pad_navigation;
    fresh.pad_exit_combo = k.pad_exit_combo;
    fresh.controller_file = k.controller_file;
    fresh.controls_profile = k.controls_profile;
    fresh.binding_version = k.binding_version;
    fresh.more_options = LightGunOptions(k.more_options);
    // Window rectangles are where the windows are, not settings to reset.
    fresh.main_window = k.main_window;
    fresh.options_window_rect = k.options_window_rect;
    fresh.audit_window_w = k.audit_window_w;
    fresh.audit_window_h = k.audit_window_h;
  }
  s = std::move(fresh);
  ApplyThemeMode(s);
}

size_t ParseSettingsText(Settings& s, std::string_view bytes) {
  size_t taken = 0;
  bool have_favorites = false, have_recent = false;
  std::string favorites_text, recent_text;
  WindowRect window = s.main_window;
  bool window_read = false;
  int32_t version = 1;
  bool hidden_read = false;

  ForEachKeyValueLine(bytes, [&](std::string_view raw) {
    std::string_view line = TrimNarrow(raw);
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') return;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string key = ToLowerAscii(TrimNarrow(line.substr(0, eq)));
    std::string_view value = TrimNarrow(line.substr(eq + 1));
    ++taken;  // undone below for a key that is not ours

    bool handled = false;
    for (const KeyInfo& k : kKeys) {
      if (key != k.key) continue;
      handled = true;
      if (k.kind == Kind::Int)
        ParseInt(value, s.*k.number);
      else if (k.kind == Kind::Flag)
        s.*k.number = FlagValue(value) ? 1 : 0;
      else
        s.*k.text = FieldText(value, static_cast<size_t>(k.text_size - 1));
      break;
    }
    if (handled) return;

    int32_t n;
    if (key == "theme_mode") {
      if (ParseInt(value, n)) s.theme_mode = n;
    } else if (key == "search_bar") {
      s.search_bar_hidden = value == "0";
    } else if (key == "filters_bar") {
      s.filter_bar_hidden = value == "0";
    } else if (key == "toolbar") {
      s.toolbar_hidden = value == "0";
    } else if (key == "favorites_only") {
      s.favorites_only = value == "1";
    } else if (key == "filter_region") {
      s.filter_region = FieldText(value, 7);
    } else if (key == "filter_maker") {
      s.filter_maker = FieldText(value, 39);
    } else if (key == "filter_genre") {
      s.filter_genre = FieldText(value, 23);
    } else if (key == "filter_hardware") {
      s.filter_hardware = FieldText(value, 39);
    } else if (key == "sort_column") {
      ParseInt(value, s.sort_column);
    } else if (key == "sort_ascending") {
      s.sort_ascending = value == "1";
    } else if (key == "columns_games") {
      ParseColumnWidths(value, s.columns_games);
    } else if (key == "splitter") {
      ParseInt(value, s.splitter);
    } else if (key == "preview_shown") {
      s.preview_shown = value != "0";
    } else if (key == "preview_split") {
      ParseInt(value, s.preview_split);
    } else if (key == "columns_hidden") {
      hidden_read |= ParseInt(value, s.columns_hidden);
    } else if (key == "settings_version") {
      ParseInt(value, version);
    } else if (key == "hide_not_working") {
      s.hide_not_working = value == "1";
    } else if (key == "preview_kind") {
      s.preview_kind = FieldText(value, kShortFieldSize - 1);
    } else if (key == "window_x") {
      window_read |= ParseInt(value, window.x);
    } else if (key == "window_y") {
      window_read |= ParseInt(value, window.y);
    } else if (key == "window_w") {
      window_read |= ParseInt(value, window.w);
    } else if (key == "window_h") {
      window_read |= ParseInt(value, window.h);
    } else if (key == "options_window") {
      s.options_window = value == "1";
    } else if (key == "optwin_x") {
      ParseInt(value, s.options_window_rect.x);
    } else if (key == "optwin_y") {
      ParseInt(value, s.options_window_rect.y);
    } else if (key == "optwin_w") {
      ParseInt(value, s.options_window_rect.w);
    } else if (key == "optwin_h") {
      ParseInt(value, s.options_window_rect.h);
    } else if (key == "auditwin_w") {
      ParseInt(value, s.audit_window_w);
    } else if (key == "auditwin_h") {
      ParseInt(value, s.audit_window_h);
    } else if (key == "favorites") {
      have_favorites = true;
      favorites_text = value;
    } else if (key == "recent") {
      have_recent = true;
      recent_text = value;
    } else {
      --taken;
    }
  });
  if (hidden_read && version < 2) s.columns_hidden |= kNewColumnsHidden;

  if (s.theme_mode < 0 || s.theme_mode > 2) s.theme_mode = 0;
  ApplyThemeMode(s);
  if (window_read && window.w > 0) s.main_window = window;
  if (have_favorites) ParseIdList(favorites_text, 4095, s.favorites);
  if (have_recent) ParseIdList(recent_text, 511, s.recent);
  ClampAll(s);
  return taken;
}

void LoadSettings(Settings& s, const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    ApplyThemeMode(s);
    return;
  }
  KeepIfUnreadable(path, *bytes, ParseSettingsText(s, *bytes));
}

TextBuffer FormatSettingsText(const Settings& s) {
  TextBuffer out;
  out += "; Korvo settings (written by korvo; safe to edit by hand)\r\n[KORVO]\r\nsettings_version=2\r\n";
  for (const KeyInfo& k : kKeys) {
    if (k.kind == Kind::Text)
      AppendFormat(out, "%s=%s\r\n", k.key, (s.*k.text).c_str());
    else if (k.kind == Kind::Flag)
      AppendFormat(out, "%s=%d\r\n", k.key, s.*k.number ? 1 : 0);
    else
      AppendFormat(out, "%s=%d\r\n", k.key, s.*k.number);
  }
  const WindowRect& w = s.main_window;
  if (w.w > 0) AppendFormat(out, "window_x=%d\r\nwindow_y=%d\r\nwindow_w=%d\r\nwindow_h=%d\r\n", w.x, w.y, w.w, w.h);
  AppendFormat(out, "options_window=%d\r\ntheme_mode=%d\r\nsearch_bar=%d\r\nfilters_bar=%d\r\ntoolbar=%d\r\n",
               s.options_window ? 1 : 0, s.theme_mode, s.search_bar_hidden ? 0 : 1, s.filter_bar_hidden ? 0 : 1,
               s.toolbar_hidden ? 0 : 1);
  const WindowRect& o = s.options_window_rect;
  if (o.w > 0) AppendFormat(out, "optwin_x=%d\r\noptwin_y=%d\r\noptwin_w=%d\r\noptwin_h=%d\r\n", o.x, o.y, o.w, o.h);
  if (s.audit_window_w > 0 && s.audit_window_h > 0)
    AppendFormat(out, "auditwin_w=%d\r\nauditwin_h=%d\r\n", s.audit_window_w, s.audit_window_h);
  AppendFormat(out, "favorites_only=%d\r\nhide_not_working=%d\r\nsort_column=%d\r\nsort_ascending=%d\r\n",
               s.favorites_only, s.hide_not_working ? 1 : 0, s.sort_column, s.sort_ascending);
  AppendFormat(out, "filter_region=%s\r\nfilter_maker=%s\r\nfilter_genre=%s\r\nfilter_hardware=%s\r\n",
               s.filter_region.c_str(), s.filter_maker.c_str(), s.filter_genre.c_str(), s.filter_hardware.c_str());
  bool any_width = false;
  for (int32_t width : s.columns_games) any_width |= width > 0;
  if (any_width) {
    out += "columns_games=";
    for (int c = 0; c < kColumnCount; ++c) AppendFormat(out, c ? ",%d" : "%d", s.columns_games[c]);
    out += "\r\n";
  }
  if (s.splitter > 0) AppendFormat(out, "splitter=%d\r\n", s.splitter);
  AppendFormat(out, "preview_shown=%d\r\n", s.preview_shown ? 1 : 0);
  if (s.preview_split > 0) AppendFormat(out, "preview_split=%d\r\n", s.preview_split);
  if (!s.preview_kind.empty()) AppendFormat(out, "preview_kind=%s\r\n", s.preview_kind.c_str());
  AppendFormat(out, "columns_hidden=%d\r\n", s.columns_hidden & kColumnsHiddenMask);
  AppendIdList(out, "favorites", s.favorites);
  AppendIdList(out, "recent", s.recent);
  return out;
}

void SetSettingsSaveFailedHook(SettingsSaveFailedFn fn) { g_save_failed = fn; }

bool SaveSettings(const Settings& s, const std::string& path) {
  if (WriteFileAtomic(path, FormatSettingsText(s))) return true;
  if (g_save_failed) g_save_failed(path);
  return false;
}

bool ToggleFavorite(Settings& s, int32_t game_number, bool on, const std::string& path) {
  IdListRemoveAll(s.favorites, game_number);
  if (on) s.favorites.push_back(game_number);
  return SaveSettings(s, path);
}
