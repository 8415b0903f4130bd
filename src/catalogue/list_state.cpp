#include "catalogue/list_state.h"

#include "catalogue/game_filter.h"
#include "settings/settings.h"

bool ApplySortClick(Settings& s, int column) {
  if (column == kColumnInfo || column < 0 || column > kColumnTimePlayed) return false;
  if (column == s.sort_column) {
    s.sort_ascending = s.sort_ascending ? 0 : 1;
  } else {
    s.sort_column = column;
    s.sort_ascending = 1;
  }
  return true;
}

void ResetFilters(Settings& s) {
  StoreSelectionInSettings(s, FilterSelection{});
  s.sort_column = kColumnNumber;
  s.sort_ascending = 1;
}

void AddRecentGame(IdList& recent, int32_t number) {
  IdList updated{number};
  for (int32_t n : recent)
    if (n != number && updated.size() < kRecentGamesMax) updated.push_back(n);
  recent.swap(updated);
}

int RowOfGame(const GameList& games, const std::vector<int32_t>& rows, int32_t number) {
  if (number == 0) return -1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i] >= 0 && static_cast<size_t>(rows[i]) < games.size() && games[static_cast<size_t>(rows[i])].number == number)
      return static_cast<int>(i);
  return -1;
}
