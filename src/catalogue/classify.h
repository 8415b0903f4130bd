// Region, maker, genre and hardware of a game, worked out from its title and
// manufacturer text with small keyword tables, so that MAME's own
// descriptions classify the same way as the built-in titles.
#pragma once
#include <string_view>

#include "catalogue/game_table.h"

// Each yields one of its table's texts, or "Other".
const char* MakerOf(std::string_view maker_text);
const char* GenreOf(std::string_view title);
const char* RegionOf(std::string_view title);
// The board text ("" when the entry has none).
std::string_view HardwareOf(const GameEntry& entry);
