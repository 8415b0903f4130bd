// Parsing MAME's whole -listfull answer (2.5 MB, 45,000 sets) against the
// floor of merely counting its lines in the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "catalogue/listing.h"

namespace {
const std::string& Recorded() {
  static const std::string text = [] {
    // The recording lives in the source tree beside this folder.
    std::string source = __FILE__;
    source = source.substr(0, source.rfind("/bench/"));
    std::ifstream in(source + "/tests/fixtures/mame0251/listfull.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return text;
}

void BM_CountLines(benchmark::State& state) {
  const std::string& text = Recorded();
  for (auto _ : state) benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '\n'));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CountLines)->Unit(benchmark::kMillisecond);

void BM_ParseListfull(benchmark::State& state) {
  const std::string& text = Recorded();
  const TableSets& sets = GameTableSets();
  for (auto _ : state) {
    MameListing listing;
    benchmark::DoNotOptimize(ParseListfull(text, sets, listing));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseListfull)->Unit(benchmark::kMillisecond);
}  // namespace
