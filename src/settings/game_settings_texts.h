// The texts of the Game Settings window's choice lists, in the order whose
// positions GameSettingsChoices holds, and its heading.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/game_settings.h"

enum class GameChoiceList { Video, Window, Resolution, Rotation, OnOff, BgfxChain, Volume };

// "Same As Global" first; Resolution lists the display modes as "%d x %d".
std::vector<std::string> GameChoiceItems(GameChoiceList list, const GameDisplayModes& modes = {});

// BIOS sets of a game's system as MAME lists them: name and description.
using BiosOptions = std::vector<std::pair<std::string, std::string>>;
constexpr size_t kBiosChoicesMax = 15;
// "Game Default", then "name: description" for at most 15 sets.
std::vector<std::string> BiosChoiceItems(const BiosOptions& options);
// The BIOS name at a list position; "" for Game Default or an unknown position.
std::string BiosChoiceName(int position, const BiosOptions& options);
// The list position that shows a stored BIOS name (0 when MAME does not list it).
int BiosChoicePosition(std::string_view bios, const BiosOptions& options);

// The heading above the tabs.
std::string GameSettingsHeading(std::string_view title);
