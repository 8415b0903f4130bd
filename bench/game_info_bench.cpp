// Indexing a made-up 30 MB history.xml (where each set's texts lie) against
// the floor of merely counting the lines of the same bytes, and reading one
// game's texts from an indexed file, as each selection does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "made_up_history.h"
#include "preview/game_info.h"

namespace {
const std::string& History() {
  static const std::string text = MadeUpHistoryXml();
  return text;
}

void BM_CountLines(benchmark::State& state) {
  const std::string& text = History();
  for (auto _ : state) benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '\n'));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CountLines)->Unit(benchmark::kMillisecond);

void BM_IndexHistoryXml(benchmark::State& state) {
  const std::string& text = History();
  for (auto _ : state) benchmark::DoNotOptimize(IndexHistoryXml(text).ranges.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IndexHistoryXml)->Unit(benchmark::kMillisecond);

void BM_OneGamesTexts(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvo-game-info-bench";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "history.xml", std::ios::binary) << History();
  GameInfoLibrary library;
  std::vector<std::string> log;
  library.Texts({dir.string()}, {"sfex2"}, log);  // indexed once, before the timing
  for (auto _ : state) benchmark::DoNotOptimize(library.Texts({dir.string()}, {"tekken3"}, log).size());
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_OneGamesTexts)->Unit(benchmark::kMicrosecond);
}  // namespace
