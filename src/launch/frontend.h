// Frontend mode: `korvo.exe --game <set>` plays one game without the main
// window and returns a small exit code for the calling front-end. It never
// shows a box and never changes the saved settings.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "launch/screen_request.h"
#include "catalogue/game_table.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

enum FrontendExit : int {
  kFrontendPlayed = 0,       // MAME started and ended, whatever its own code
  kFrontendUnknownGame = 2,  // no game of the table matches the name
  kFrontendRomsMissing = 3,
  kFrontendNoMame = 4,       // mame.exe not found, or it did not start
  kFrontendNoGame = 5,       // the name is empty or blank
};

// With the process-wide settings (and korvo-games.cfg beside the launcher).
int RunFrontend(const std::string& game, ScreenRequest screen);
int RunFrontend(const Settings& settings, const GameSettingsList& game_settings, const std::string& game,
                ScreenRequest screen);

// While the game runs and `pad_exit_combo` is on, the frontend asks this
// every kFrontendWatchMs whether the player wants the game ended (the pad's
// Back + Start); it then ends MAME as Stop does. Without one it just waits.
void SetFrontendEndWatch(std::function<bool()> end_requested);
constexpr uint32_t kFrontendWatchMs = 100;

// A name as a front-end passes it, reduced to what may be a set: at most 299
// characters, trimmed, one pair of surrounding quotes dropped, and only what
// follows the last `\` or `/` (so the path of a ROM zip works).
std::string NormalizeFrontendName(std::string_view text);
// The game whose set is the name (any case), else the name cut at its last dot.
const GameEntry* FindFrontendGame(const GameList& games, std::string_view normalized);

// The zips of the game, its parent and its BIOS that are in none of the ROM
// folders, as "a.zip, b.zip" (at most 300 characters).
std::string MissingRomZips(const Settings& settings, const GameEntry& entry);
