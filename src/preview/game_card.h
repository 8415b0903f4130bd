// The card beside or under the picture: what MAME knows about the selected
// game and what the player did, as texts the pane shows.
#pragma once
#include <string>

#include "catalogue/game_table.h"

struct GameCard {
  std::string status;   // "Imperfect: graphics, sound. Save states not supported."
  std::string played;   // "Played 12 times, 3 h 20 min, last on 1 December 2026"
  std::string general;  // the "General Info" tab: the facts of the set, one a line
};
GameCard MakeGameCard(const GameEntry& entry);

constexpr const char* kGeneralInfoTab = "General Info";
