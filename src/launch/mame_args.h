// MAME's command line: every start of MAME gets its arguments from
// BuildMameArgs, which joins the main settings, the game's own overrides and
// the caller's request. The list holds plain texts; quoting happens only when
// the final command line is made.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/game_table.h"
#include "launch/mame_args_hooks.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

using ArgList = std::vector<std::string>;

struct LaunchRequest {
  int32_t screen_mode = -1;  // -1 as the settings say, 0 window, 1 full screen
  int32_t for_shortcut = 0;  // a desktop shortcut: no side effects, no plugins
};

// Appends the game's arguments to `out`. The game comes from `games` by
// number; an unknown number gives an empty set name and skips the game-only
// steps. Unless the request is for a shortcut, the game's cfg file is prepared
// and the plugins are written through the hooks, and CombosActive is updated.
// Options that the located MAME does not list (korvo-options-cache.cfg) are
// left out, except in the user's extra arguments, and noted in `left_out`.
void BuildMameArgs(const Settings& settings, const GameSettingsList& game_settings, const GameList& games,
                   int32_t game_number, const LaunchRequest* request, ArgList& out,
                   std::vector<std::string>* left_out = nullptr);
// "Left out for this MAME: -a, -b", for the status bar and the launch log.
std::string LeftOutText(const std::vector<std::string>& left_out);

// The pad probe run: "pong" without picture or sound for two seconds with
// the korvo_probe plugin from `plugin_folder`.
void BuildProbeArgs(const Settings& settings, const std::string& plugin_folder, ArgList& out);

// Appends the arguments of a free text split by the Windows command-line rules
// (blanks separate, double quotes group, backslashes before a quote escape it).
void ParseArgText(const std::string& text, ArgList& out);

// One argument quoted for a Windows command line so that it splits back unchanged.
std::string QuoteArg(const std::string& text);
// The quoted arguments separated by single blanks.
std::string JoinArgs(const ArgList& args);
// The quoted program path, then a blank and JoinArgs when there are arguments.
std::string MameCommandLine(const std::string& program, const ArgList& args);

// The controller files in MAME's ctrlr folder (names without ".cfg"), in the
// order the file system gives them, at most `capacity`.
std::vector<std::string> ListControllerFiles(const Settings& settings, size_t capacity);

// Name tables of the settings' choice values (index 0: nothing is passed).
const char* VideoName(int32_t video);
const char* BgfxChainName(int32_t chain);
const char* BgfxBackendName(int32_t backend);
const char* SoundName(int32_t sound);
const char* JoystickProviderName(int32_t provider);
