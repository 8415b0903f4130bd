#include "catalogue/game_filter.h"

#include <algorithm>
#include <string>

#include "base/text_case.h"
#include "base/text_util.h"
#include "catalogue/classify.h"
#include "catalogue/text_compare.h"
#include "settings/settings.h"

namespace {
constexpr FilterListSpec kSpecs[kFilterKindCount] = {
    {442, "All Regions", 8, 7},
    {440, "All Makers", 32, 39},
    {441, "All Genres", 16, 23},
    {444, "All Hardware", 32, 39},
};
constexpr size_t kSearchMax = 199;

// The settings key of each list, in FilterKind order.
std::string Settings::*const kSettingsFields[kFilterKindCount] = {&Settings::filter_region, &Settings::filter_maker,
                                                                   &Settings::filter_genre, &Settings::filter_hardware};
}  // namespace

const FilterListSpec& FilterSpec(FilterKind kind) { return kSpecs[static_cast<int>(kind)]; }

std::string FilterValueOf(const GameEntry& entry, FilterKind kind) {
  std::string_view value;
  switch (kind) {
    case FilterKind::Region: value = RegionOf(entry.title); break;
    case FilterKind::Maker: value = MakerOf(MakerTextOf(entry)); break;
    case FilterKind::Genre: value = GenreOf(entry.title); break;
    case FilterKind::Hardware: value = HardwareOf(entry); break;
  }
  return CutToUtf16Units(value, FilterSpec(kind).width);
}

FilterLists BuildFilterValues(const GameList& list) {
  FilterLists lists;
  for (const GameEntry& e : list) {
    for (int k = 0; k < kFilterKindCount; ++k) {
      std::vector<std::string>& values = lists.values[k];
      std::string value = FilterValueOf(e, static_cast<FilterKind>(k));
      if (static_cast<int>(values.size()) >= kSpecs[k].capacity) continue;
      if (std::find(values.begin(), values.end(), value) == values.end()) values.push_back(std::move(value));
    }
  }
  for (auto& values : lists.values)
    std::stable_sort(values.begin(), values.end(),
                     [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  return lists;
}

FilterSelection SelectionFromSettings(const Settings& s) {
  FilterSelection sel;
  for (int k = 0; k < kFilterKindCount; ++k) sel.value[k] = CutToUtf16Units(s.*kSettingsFields[k], kSpecs[k].width);
  return sel;
}

void StoreSelectionInSettings(Settings& s, const FilterSelection& selection) {
  for (int k = 0; k < kFilterKindCount; ++k) s.*kSettingsFields[k] = selection.value[k];
}

FilterSelection MatchSelection(const FilterLists& lists, const FilterSelection& noted) {
  FilterSelection sel;
  for (int k = 0; k < kFilterKindCount; ++k) {
    const auto& values = lists.values[k];
    if (std::find(values.begin(), values.end(), noted.value[k]) != values.end()) sel.value[k] = noted.value[k];
  }
  return sel;
}

std::string PrepareSearchText(std::string_view typed) {
  return LowerCaseText(TrimNarrow(CutToUtf16Units(typed, kSearchMax)));
}

std::vector<int32_t> FilterRows(const GameList& list, const FilterState& state, const IdList& favorites,
                                const HasRomsFn& has_roms) {
  std::vector<int32_t> rows;
  rows.reserve(list.size());
  const std::string& search = state.search;
  for (size_t i = 0; i < list.size(); ++i) {
    const GameEntry& e = list[i];
    if (!search.empty() && LowerCaseText(e.title).find(search) == std::string::npos &&
        LowerCaseText(e.info).find(search) == std::string::npos && std::to_string(e.number) != search)
      continue;
    if (state.favorites_only && !IdListContains(favorites, e.number)) continue;
    if (state.only_available && !(has_roms && has_roms(e))) continue;
    if (state.hide_not_working && (e.flags & kGameNotWorking)) continue;
    bool pass = true;
    for (int k = 0; k < kFilterKindCount && pass; ++k) {
      const std::string& wanted = state.selection.value[k];
      if (!wanted.empty() && FilterValueOf(e, static_cast<FilterKind>(k)) != wanted) pass = false;
    }
    if (pass) rows.push_back(static_cast<int32_t>(i));
  }
  return rows;
}

RowOrder::RowOrder(const GameList& list, int column, bool ascending, const IdList& favorites,
                   const HasRomsFn& has_roms)
    : list_(list), column_(column), direction_(ascending ? 1 : -1) {
  if (column == kColumnFavorite) {
    favorite_.resize(list.size());
    for (size_t i = 0; i < list.size(); ++i) favorite_[i] = IdListContains(favorites, list[i].number);
  }
  if (column == kColumnStatus) {
    available_.resize(list.size());
    for (size_t i = 0; i < list.size(); ++i) available_[i] = has_roms && has_roms(list[i]);
  }
}

// Lower-casing both texts at every comparison was most of a sort's time.
const std::string& RowOrder::Lower(LowerTexts& texts, int32_t index, std::string_view text) const {
  const size_t i = static_cast<size_t>(index);
  if (texts.made.empty()) {
    texts.text.resize(list_.size());
    texts.made.resize(list_.size());
  }
  if (!texts.made[i]) {
    texts.text[i] = LowerCaseText(text);
    texts.made[i] = true;
  }
  return texts.text[i];
}

int RowOrder::Compare(int32_t a, int32_t b) const {
  const GameEntry& x = list_[a];
  const GameEntry& y = list_[b];
  auto by_number = [&] { return x.number < y.number ? -1 : x.number > y.number ? 1 : 0; };
  // UTF-8 bytes compare in code-point order.
  auto texts = [this, a, b](LowerTexts& lower, std::string_view x_text, std::string_view y_text) {
    int c = Lower(lower, a, x_text).compare(Lower(lower, b, y_text));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  };
  auto by_title_number = [&] {
    int c = texts(title_, x.title, y.title);
    return c ? c : by_number();
  };
  auto by_title_info_number = [&] {
    int c = texts(title_, x.title, y.title);
    if (!c) c = texts(info_, x.info, y.info);
    return c ? c : by_number();
  };
  int c = 0;
  switch (column_) {
    case kColumnFavorite:
      // Favourites first when ascending.
      c = favorite_[a] == favorite_[b] ? by_title_info_number() : (favorite_[a] ? -1 : 1);
      break;
    case kColumnNumber: c = by_number(); break;
    case kColumnStatus:
      c = available_[a] == available_[b] ? by_title_number() : (available_[a] ? 1 : -1);
      break;
    case kColumnHardware:
      c = texts(board_, BoardOf(x), BoardOf(y));
      if (!c) c = by_title_number();
      break;
    case kColumnYear:
      c = x.year < y.year ? -1 : x.year > y.year ? 1 : by_title_number();
      break;
    case kColumnLastPlayed:
      c = x.played.last < y.played.last ? -1 : x.played.last > y.played.last ? 1 : by_title_number();
      break;
    case kColumnTimePlayed:
      c = x.played.seconds < y.played.seconds ? -1 : x.played.seconds > y.played.seconds ? 1 : by_title_number();
      break;
    default: c = by_title_info_number(); break;
  }
  return c * direction_;
}

void SortRows(std::vector<int32_t>& rows, const RowOrder& order) {
  std::sort(rows.begin(), rows.end(), [&order](int32_t a, int32_t b) { return order.Compare(a, b) < 0; });
}

std::vector<int32_t> VisibleRows(const GameList& list, const FilterState& state, const Settings& s,
                                 const HasRomsFn& has_roms) {
  std::vector<int32_t> rows = FilterRows(list, state, s.favorites, has_roms);
  SortRows(rows, RowOrder(list, s.sort_column, s.sort_ascending != 0, s.favorites, has_roms));
  return rows;
}
