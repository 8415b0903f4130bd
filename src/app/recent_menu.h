// The items of File > Recent Files: the recent games found in the current
// list, numbered without gaps.
#pragma once
#include <string>
#include <vector>

#include "base/text_buffer.h"
#include "catalogue/game_table.h"

constexpr int kRecentFirstId = 600;

struct RecentMenuItem {
  int id;           // 600 + k
  int32_t game;     // the game number it plays
  std::string text; // "&1  Title [info]" with every & of title and info doubled
};

std::vector<RecentMenuItem> RecentMenuItems(const IdList& recent, const GameList& list);
