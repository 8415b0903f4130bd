// Parsing MAME's whole -listfull answer (2.5 MB, 45,000 sets) against the
// floor of merely counting its lines in the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "catalogue/listing.h"

namespace {
const std::string& Recorded() {
  static const std::string text = [] {
    const std::string path = std::string(KORVO_SOURCE_DIR) + "/tests/fixtures/mame0251/listfull.txt";
    std::ifstream in(path, std::ios::binary);
    std::string all(std::istreambuf_iterator<char>(in), {});
    if (all.empty()) {  // nothing to parse measures nothing
      std::fprintf(stderr, "listing_parse_bench: cannot read %s\n", path.c_str());
      std::exit(1);
    }
    return all;
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
