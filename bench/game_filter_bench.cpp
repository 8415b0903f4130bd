// A search typed letter by letter over the 462 games, the list sorted by
// title (the dearest order), against the floor of only filtering the rows.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/game_filter.h"
#include "catalogue/game_table.h"
#include "settings/settings.h"

namespace {
constexpr char kTyped[] = "street fighter";

template <typename Rows>
void TypeSearch(benchmark::State& state, Rows rows) {
  const GameList list = BuildGameList();
  Settings settings;
  ResetSettings(settings);
  settings.sort_column = kColumnGame;
  const std::string typed = kTyped;
  for (auto _ : state)
    for (size_t n = 0; n <= typed.size(); ++n) {
      FilterState filter;
      filter.search = PrepareSearchText(typed.substr(0, n));
      benchmark::DoNotOptimize(rows(list, filter, settings));
    }
}

void BM_FilterOnly(benchmark::State& state) {
  TypeSearch(state, [](const GameList& list, const FilterState& filter, const Settings& s) {
    return FilterRows(list, filter, s.favorites, nullptr);
  });
}
BENCHMARK(BM_FilterOnly)->Unit(benchmark::kMillisecond);

void BM_FilterAndSortByTitle(benchmark::State& state) {
  TypeSearch(state, [](const GameList& list, const FilterState& filter, const Settings& s) {
    return VisibleRows(list, filter, s, nullptr);
  });
}
BENCHMARK(BM_FilterAndSortByTitle)->Unit(benchmark::kMillisecond);
}  // namespace
