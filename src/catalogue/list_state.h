// Changes to the list's view state kept in the settings record: the sort
// column and direction, Reset Filters, and the recent games; and which row a
// refill selects.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/text_buffer.h"
#include "catalogue/game_table.h"

struct Settings;

constexpr size_t kRecentGamesMax = 8;

// A click on a column header: a new column sorts ascending, the current one
// reverses; the Info column does not sort. True when the order changed.
bool ApplySortClick(Settings& s, int column);
// Every filter list back to its All item and the sort to "#" ascending; the
// search text and the two check boxes stay.
void ResetFilters(Settings& s);
// The started game first, then the earlier entries without it, at most 8.
void AddRecentGame(IdList& recent, int32_t number);

// The row a refill selects and focuses: that of the game the list remembers
// (a game number, 0 for none), or -1 while the filters hide it. The game stays
// remembered until another is chosen, so a refill that shows it again
// selects it again.
int RowOfGame(const GameList& games, const std::vector<int32_t>& rows, int32_t number);
