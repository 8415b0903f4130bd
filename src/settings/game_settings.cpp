#include "settings/game_settings.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "base/text_util.h"

namespace {
constexpr const char* kFileHeader =
    "; Korvo per-game settings (written by korvo; a missing line means: same as the main settings)";

// The integer keys in file order, with their ranges. `size`, `volume`,
// `bios` and `extra_arguments` have their own rules.
struct IntKey {
  const char* key;
  int32_t GameSettings::*field;
  int32_t low, high;
};
constexpr IntKey kIntKeys[] = {
    {"video", &GameSettings::video, 0, 4},
    {"fullscreen", &GameSettings::fullscreen, 0, 1},
    {"rotate", &GameSettings::rotate, 0, 4},
    {"keep_aspect", &GameSettings::keep_aspect, 0, 1},
    {"filter", &GameSettings::filter, 0, 1},
    {"wait_vsync", &GameSettings::wait_vsync, 0, 1},
    {"bgfx_chain", &GameSettings::bgfx_chain, 0, 5},
    {"sound", &GameSettings::sound, 0, 1},
    {"cheat", &GameSettings::cheat, 0, 1},
    {"skip_gameinfo", &GameSettings::skip_gameinfo, 0, 1},
    {"autosave", &GameSettings::autosave, 0, 1},
};

// "%dx%d": both numbers must be there; nothing but blanks may follow.
bool ParseSize(std::string_view value, int32_t& w, int32_t& h) {
  size_t x = value.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  int32_t a = 0, b = 0;
  if (!ParseInt(TrimNarrow(value.substr(0, x)), a) || !ParseInt(TrimNarrow(value.substr(x + 1)), b)) return false;
  w = a;
  h = b;
  return true;
}

// Whether the key is one of the file's.
bool ReadKey(GameSettings& g, const std::string& key, std::string_view value) {
  for (const IntKey& k : kIntKeys) {
    if (key != k.key) continue;
    int32_t v = 0;
    if (ParseInt(value, v) && v >= k.low && v <= k.high) g.*k.field = v;
    return true;
  }
  if (key == "volume") {
    int32_t v = 0;
    if (ParseInt(value, v) && v >= -32 && v <= 0) g.volume = v;
  } else if (key == "size") {
    int32_t w = 0, h = 0;
    if (ParseSize(value, w, h) && w >= 160 && w <= 7680 && h >= 120 && h <= 4320) {
      g.res_w = w;
      g.res_h = h;
    }
  } else if (key == "bios") {
    g.bios = FieldText(value, kGameBiosFieldSize - 1);
  } else if (key == "extra_arguments") {
    g.extra_arguments = FieldText(value, kGameExtraArgumentsSize - 1);
  } else {
    return false;
  }
  return true;
}

// The section's game number, or false for any other section.
bool GameSection(std::string_view line, int32_t& game) {
  size_t close = line.find(']');
  if (close != std::string_view::npos) line = line.substr(0, close);
  if (line.substr(0, 6) != "[game ") return false;
  return ParseInt(TrimNarrow(line.substr(6)), game);
}

// Values read from the file never hold a line end or a NUL, but a caller
// could hand one in: a line end would turn the rest of the value into lines
// of their own, and nothing after a NUL would be read back.
std::string OneLine(const std::string& text) {
  std::string out = text.substr(0, text.find('\0'));
  std::replace(out.begin(), out.end(), '\n', ' ');
  std::replace(out.begin(), out.end(), '\r', ' ');
  return out;
}
}  // namespace

GameSettings NewGameSettings(int32_t game) {
  GameSettings g;
  g.game = game;
  return g;
}

bool HasOverrides(const GameSettings& g) {
  for (const IntKey& k : kIntKeys)
    if (g.*k.field != kSameAsGlobal) return true;
  return g.res_w > 0 || g.volume != kVolumeSameAsGlobal || !g.bios.empty() || !g.extra_arguments.empty();
}

const GameSettings* FindGameSettings(const GameSettingsList& list, int32_t game) {
  for (const GameSettings& g : list)
    if (g.game == game) return HasOverrides(g) ? &g : nullptr;
  return nullptr;
}

GameSettings& GetOrCreateGameSettings(GameSettingsList& list, int32_t game) {
  for (GameSettings& g : list)
    if (g.game == game) return g;
  list.push_back(NewGameSettings(game));
  return list.back();
}

void RemoveGameSettings(GameSettingsList& list, int32_t game) {
  list.erase(std::remove_if(list.begin(), list.end(), [game](const GameSettings& g) { return g.game == game; }),
             list.end());
}

bool StoreGameSettings(GameSettingsList& list, const GameSettings& edited) {
  if (!HasOverrides(edited)) {
    RemoveGameSettings(list, edited.game);
    return false;
  }
  GetOrCreateGameSettings(list, edited.game) = edited;
  return true;
}

size_t ParseGameSettingsText(GameSettingsList& list, std::string_view bytes) {
  list.clear();
  // Game number -> list position, so that a file with very many sections
  // still reads in linear time. Positions, not pointers: the list grows.
  std::unordered_map<int32_t, size_t> where;
  size_t current = SIZE_MAX;
  size_t taken = 0;
  ForEachKeyValueLine(bytes, [&](std::string_view raw) {
    std::string_view line = TrimNarrow(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') return;
    if (line[0] == '[') {
      int32_t game = 0;
      current = SIZE_MAX;
      if (GameSection(line, game)) {
        auto [it, added] = where.try_emplace(game, list.size());
        if (added) list.push_back(NewGameSettings(game));
        current = it->second;
        ++taken;
      }
      return;
    }
    if (current == SIZE_MAX) return;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    taken += ReadKey(list[current], ToLowerAscii(TrimNarrow(line.substr(0, eq))), TrimNarrow(line.substr(eq + 1)));
  });
  return taken;
}

TextBuffer FormatGameSettingsText(const GameSettingsList& list) {
  TextBuffer out;
  out += kFileHeader;
  out += "\r\n";
  for (const GameSettings& g : list) {
    if (!HasOverrides(g)) continue;
    AppendFormat(out, "\r\n[game %d]\r\n", g.game);
    auto put = [&out](const char* key, int32_t value) { AppendFormat(out, "%s=%d\r\n", key, value); };
    if (g.video >= 0) put("video", g.video);
    if (g.fullscreen >= 0) put("fullscreen", g.fullscreen);
    if (g.res_w > 0) AppendFormat(out, "size=%dx%d\r\n", g.res_w, g.res_h);
    if (g.rotate >= 0) put("rotate", g.rotate);
    if (g.keep_aspect >= 0) put("keep_aspect", g.keep_aspect);
    if (g.filter >= 0) put("filter", g.filter);
    if (g.wait_vsync >= 0) put("wait_vsync", g.wait_vsync);
    if (g.bgfx_chain >= 0) put("bgfx_chain", g.bgfx_chain);
    if (g.sound >= 0) put("sound", g.sound);
    if (g.volume != kVolumeSameAsGlobal) put("volume", g.volume);
    if (g.cheat >= 0) put("cheat", g.cheat);
    if (g.skip_gameinfo >= 0) put("skip_gameinfo", g.skip_gameinfo);
    if (g.autosave >= 0) put("autosave", g.autosave);
    if (!g.bios.empty()) out += "bios=" + OneLine(g.bios) + "\r\n";
    if (!g.extra_arguments.empty()) out += "extra_arguments=" + OneLine(g.extra_arguments) + "\r\n";
  }
  return out;
}

void LoadGameSettings(GameSettingsList& list, const std::string& path) {
  list.clear();
  if (std::optional<std::string> bytes = ReadWholeFile(path))
    KeepIfUnreadable(path, *bytes, ParseGameSettingsText(list, *bytes));
}

bool SaveGameSettings(const GameSettingsList& list, const std::string& path) {
  bool any = std::any_of(list.begin(), list.end(), [](const GameSettings& g) { return HasOverrides(g); });
  if (!any) return !FileExists(path) || DeleteFileAt(path);
  return WriteFileAtomic(path, FormatGameSettingsText(list));
}

namespace {
// Same As Global, On, Off.
int32_t OnOff(int position) { return position == 1 ? 1 : position == 2 ? 0 : kSameAsGlobal; }
int OnOffPosition(int32_t value) { return value == 1 ? 1 : value == 0 ? 2 : 0; }
// Lists whose entries after Same As Global are the values 0, 1, 2...
int32_t Indexed(int position, int32_t count) {
  return position >= 1 && position <= count ? position - 1 : kSameAsGlobal;
}
int IndexedPosition(int32_t value, int32_t count) { return value >= 0 && value < count ? value + 1 : 0; }
}  // namespace

GameSettings GameSettingsFromChoices(int32_t game, const GameSettingsChoices& c, const GameDisplayModes& modes,
                                     const GameSettings* shown) {
  GameSettings g = NewGameSettings(game);
  g.video = Indexed(c.video, 5);
  g.fullscreen = Indexed(c.window, 2);
  if (c.resolution >= 1 && static_cast<size_t>(c.resolution) <= modes.size()) {
    g.res_w = modes[c.resolution - 1].first;
    g.res_h = modes[c.resolution - 1].second;
  }
  g.rotate = Indexed(c.rotation, 5);
  g.keep_aspect = OnOff(c.keep_aspect);
  g.filter = OnOff(c.filter);
  g.wait_vsync = OnOff(c.wait_vsync);
  g.bgfx_chain = Indexed(c.bgfx_chain, 6);
  g.sound = OnOff(c.sound);
  if (c.volume >= 1 && c.volume <= 9) g.volume = 4 - 4 * c.volume;
  g.cheat = OnOff(c.cheat);
  g.skip_gameinfo = OnOff(c.skip_gameinfo);
  g.autosave = OnOff(c.autosave);
  g.bios = Trim(CutToUtf16Units(TrimNarrow(c.bios), kGameBiosFieldSize - 1));
  g.extra_arguments = Trim(CutToUtf16Units(TrimNarrow(c.extra_arguments), kGameExtraArgumentsSize - 1));
  if (shown) {
    GameSettingsChoices before = ChoicesFromGameSettings(*shown, modes);
    if (c.resolution == 0 && before.resolution == 0) {
      g.res_w = shown->res_w;
      g.res_h = shown->res_h;
    }
    if (c.volume == 0 && before.volume == 0) g.volume = shown->volume;
  }
  return g;
}

GameSettingsChoices ChoicesFromGameSettings(const GameSettings& g, const GameDisplayModes& modes) {
  GameSettingsChoices c;
  c.video = IndexedPosition(g.video, 5);
  c.window = IndexedPosition(g.fullscreen, 2);
  for (size_t i = 0; i < modes.size() && g.res_w > 0; ++i)
    if (modes[i].first == g.res_w && modes[i].second == g.res_h) c.resolution = static_cast<int>(i) + 1;
  c.rotation = IndexedPosition(g.rotate, 5);
  c.keep_aspect = OnOffPosition(g.keep_aspect);
  c.filter = OnOffPosition(g.filter);
  c.wait_vsync = OnOffPosition(g.wait_vsync);
  c.bgfx_chain = IndexedPosition(g.bgfx_chain, 6);
  c.sound = OnOffPosition(g.sound);
  // Only the 4 dB steps of the list can be shown; the file may hold others.
  if (g.volume <= 0 && g.volume >= -32 && g.volume % 4 == 0) c.volume = 1 - g.volume / 4;
  c.cheat = OnOffPosition(g.cheat);
  c.skip_gameinfo = OnOffPosition(g.skip_gameinfo);
  c.autosave = OnOffPosition(g.autosave);
  c.bios = g.bios;
  c.extra_arguments = g.extra_arguments;
  return c;
}

const char* GameSettingsStatusText(bool has_overrides) {
  return has_overrides ? "This game now has its own settings" : "This game follows the main settings again";
}
