// Per-game overrides of a few options, keyed by game number, kept in
// korvo-games.cfg. Every field has a "same as global" value; a field at that
// value follows the main settings.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text_buffer.h"

// Beside the program: JoinPath(LauncherFolder(), kGameSettingsFileName).
constexpr const char* kGameSettingsFileName = "korvo-games.cfg";

constexpr int32_t kSameAsGlobal = -1;
constexpr int32_t kVolumeSameAsGlobal = -100;
// Text field sizes in UTF-16 units including the terminating NUL.
constexpr int kGameBiosFieldSize = 40;
constexpr int kGameExtraArgumentsSize = 260;

struct GameSettings {
  int32_t game = 0;               // game number of the built-in table (unknown numbers are kept too)
  int32_t video = -1;             // 0..4 as the main `video`
  int32_t fullscreen = -1;        // 0 window, 1 full screen
  int32_t res_w = 0, res_h = 0;   // 160..7680 x 120..4320; width 0: same as global
  int32_t rotate = -1;            // 0..4 as the main `rotate`
  int32_t keep_aspect = -1;       // 0/1
  int32_t filter = -1;            // 0/1 bilinear filter
  int32_t wait_vsync = -1;        // 0/1
  int32_t bgfx_chain = -1;        // 0..5 as the main `bgfx_chain`
  int32_t sound = -1;             // 0 off, 1 on (back to the global choice)
  int32_t volume = -100;          // -32..0 dB
  int32_t cheat = -1;             // 0/1
  int32_t skip_gameinfo = -1;     // 0/1
  int32_t autosave = -1;          // 0/1
  std::string bios;               // "-bios" value, at most 39 units
  std::string extra_arguments;    // appended after the global extra arguments, at most 259 units
};

using GameSettingsList = std::vector<GameSettings>;

// A record with every field at its "same as global" value.
GameSettings NewGameSettings(int32_t game);
// True when at least one field differs from its "same as global" value.
bool HasOverrides(const GameSettings& record);

// The game's record only when it holds overrides, so a missing record and one
// without overrides read alike.
const GameSettings* FindGameSettings(const GameSettingsList& list, int32_t game);
// The game's record, appended as a new record when the game has none.
GameSettings& GetOrCreateGameSettings(GameSettingsList& list, int32_t game);
// Removes the game's record (the later records keep their order).
void RemoveGameSettings(GameSettingsList& list, int32_t game);
// After the Game Settings window's OK: stores `edited` when it holds overrides,
// otherwise removes the game's record. Returns HasOverrides(edited).
bool StoreGameSettings(GameSettingsList& list, const GameSettings& edited);

// Empties the list and reads the file's bytes (in any editor's encoding) into
// it. Any bytes are accepted: malformed lines and out-of-range values are
// skipped. Returns how many lines were taken.
size_t ParseGameSettingsText(GameSettingsList& list, std::string_view bytes);
TextBuffer FormatGameSettingsText(const GameSettingsList& list);

// Empties the list and reads korvo-games.cfg; a missing file leaves it empty,
// one of which nothing could be read is kept aside before it is overwritten.
void LoadGameSettings(GameSettingsList& list, const std::string& path);
// Writes korvo-games.cfg, or deletes it when no record holds overrides.
// False when the file could not be written (the old file stays) or an
// existing file could not be deleted.
bool SaveGameSettings(const GameSettingsList& list, const std::string& path);

// The positions chosen in the Game Settings window's lists. Position 0 of
// every list is "Same As Global".
struct GameSettingsChoices {
  int video = 0;       // Same, Auto, BGFX, Direct3D, OpenGL, GDI
  int window = 0;      // Same, Window, Fullscreen
  int resolution = 0;  // Same, then the display modes in order
  int rotation = 0;    // Same, Game Default, None, Right, Left, 180
  int keep_aspect = 0, filter = 0, wait_vsync = 0;  // Same, On, Off
  int bgfx_chain = 0;  // Same, Default, Unfiltered, HLSL, CRT Geometry, CRT Geometry Deluxe, LCD Grid
  int sound = 0;       // Same, On, Off
  int volume = 0;      // Same, Full (0 dB), Quieter -4 .. -32 dB
  int cheat = 0, skip_gameinfo = 0, autosave = 0;   // Same, On, Off
  // Chosen BIOS name, "" for "Game Default". While MAME lists no BIOS sets for
  // the game (the list is disabled), pass the stored name so that an OK made
  // for another field does not drop it.
  std::string bios;
  std::string extra_arguments;  // as typed
};

using GameDisplayModes = std::vector<std::pair<int, int>>;

// The window's choices turned into a record for `game`. With `shown` (the
// record the window was opened with), a resolution or volume that the lists
// cannot show (a size that is no display mode, a volume between the 4 dB
// steps) is kept when its list was left at Same As Global, instead of being
// lost by a plain OK. The Reset button is not a read-back: it stores
// NewGameSettings(game), which also drops those kept values.
GameSettings GameSettingsFromChoices(int32_t game, const GameSettingsChoices& choices,
                                     const GameDisplayModes& modes, const GameSettings* shown = nullptr);
// The list positions that show `record` (a resolution that is not among the
// modes shows as Same As Global).
GameSettingsChoices ChoicesFromGameSettings(const GameSettings& record, const GameDisplayModes& modes);

// Status-bar text after the window's OK.
const char* GameSettingsStatusText(bool has_overrides);
