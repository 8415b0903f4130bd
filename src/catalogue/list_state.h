// Changes to the list's view state kept in the settings record: the sort
// column and direction, Reset Filters, and the recent games.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/text_buffer.h"

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
