// The list view's filters: the four choice lists, the filter state read from
// the controls, the rows that pass it, and their order.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_buffer.h"
#include "catalogue/game_table.h"

struct Settings;

// The four choice lists, in the order the filter bar shows them.
enum class FilterKind { Region, Maker, Genre, Hardware };
constexpr int kFilterKindCount = 4;

struct FilterListSpec {
  int control_id;
  const char* all_item;  // the first item, standing for "no filter"
  int capacity;          // values beyond it are dropped
  int width;             // UTF-16 units a value is cut to
};
const FilterListSpec& FilterSpec(FilterKind kind);

// The values of each list (without its All item), sorted without regard to case.
struct FilterLists {
  std::vector<std::string> values[kFilterKindCount];
};
// The value of one kind for an entry, cut to the list's width.
std::string FilterValueOf(const GameEntry& entry, FilterKind kind);
FilterLists BuildFilterValues(const GameList& list);

// The chosen value of each list; "" means its All item.
struct FilterSelection {
  std::string value[kFilterKindCount];
};
// The selection saved in the settings, each value cut to its list's width.
FilterSelection SelectionFromSettings(const Settings& s);
// Copies the selection into the settings' filter keys.
void StoreSelectionInSettings(Settings& s, const FilterSelection& selection);
// A noted value that no game produces any more falls back to the All item.
FilterSelection MatchSelection(const FilterLists& lists, const FilterSelection& noted);

struct FilterState {
  FilterSelection selection;
  std::string search;  // prepared with PrepareSearchText
  bool favorites_only = false;
  bool only_available = false;
  bool hide_not_working = false;  // only games whose status is good or imperfect
};
// At most 199 characters, trimmed and lower-cased.
std::string PrepareSearchText(std::string_view typed);

// Whether a game's ROMs were found (the ROM folder scan answers it).
using HasRomsFn = std::function<bool(const GameEntry&)>;

// List indices of the entries that pass the filter, in array order (unsorted).
std::vector<int32_t> FilterRows(const GameList& list, const FilterState& state, const IdList& favorites,
                                const HasRomsFn& has_roms);

// List columns; the sort column is one of them.
enum ListColumn { kColumnFavorite = 0, kColumnNumber, kColumnGame, kColumnInfo, kColumnStatus, kColumnHardware,
                  kColumnYear, kColumnLastPlayed, kColumnTimePlayed };

// The row order of the list view. Favourites, availability and the
// lower-cased texts the order compares are made once when the context is
// made, not at every comparison.
struct RowOrder {
  RowOrder(const GameList& list, int column, bool ascending, const IdList& favorites, const HasRomsFn& has_roms);
  // <0, 0, >0 like strcmp, for two list indices.
  int Compare(int32_t a, int32_t b) const;

 private:
  const GameList& list_;
  int column_;
  int direction_;
  std::vector<bool> favorite_, available_;
  // Texts lower-cased on first comparison, so a sort of a few rows makes few.
  struct LowerTexts {
    std::vector<std::string> text;
    std::vector<bool> made;
  };
  mutable LowerTexts title_, info_, board_;
  const std::string& Lower(LowerTexts& texts, int32_t index, std::string_view text) const;
};
void SortRows(std::vector<int32_t>& rows, const RowOrder& order);

// The kept and sorted rows for the settings' sort column and direction.
std::vector<int32_t> VisibleRows(const GameList& list, const FilterState& state, const Settings& s,
                                 const HasRomsFn& has_roms);
