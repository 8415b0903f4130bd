// Inflate and CRC-32 against zlib (and libdeflate as the high mark) on
// ROM-like data of several megabytes; prints the speed ratios at the end.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#ifdef KORVO_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "romcheck/crc32.h"
#include "romcheck/inflate.h"

namespace {

// Code, graphics and sample ROMs mixed: noise, runs of fill bytes, short
// repeats and tile-like repeats 256 bytes back.
std::string RomLikeData(size_t size) {
  std::mt19937 rng(1234);
  std::string d;
  d.reserve(size);
  while (d.size() < size) {
    uint32_t kind = rng() % 5;
    size_t run = 1 + rng() % 400;
    for (size_t i = 0; i < run && d.size() < size; ++i) {
      if (kind == 0 || d.size() < 4096)
        d.push_back(static_cast<char>(rng() & (kind == 0 ? 0xFF : 0x3F)));
      else if (kind == 1)
        d.push_back(static_cast<char>(0xFF));
      else if (kind == 2)
        d.push_back(d[d.size() - 1 - rng() % 16]);
      else if (kind == 3)
        d.push_back(d[d.size() - 256]);
      else
        d.push_back(static_cast<char>(d[d.size() - 4096] + (rng() % 8 == 0)));
    }
  }
  return d;
}

const std::string& Data() {
  static const std::string data = RomLikeData(8u << 20);
  return data;
}

const std::string& Compressed(int level) {
  static std::map<int, std::string> cache;
  auto it = cache.find(level);
  if (it != cache.end()) return it->second;
  const std::string& d = Data();
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, d.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(d.data()));
  z.avail_in = static_cast<uInt>(d.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return cache[level] = out;
}

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The checker's use: count and CRC, no output kept.
void BM_Inflate_Korvo_Check(benchmark::State& state) {
  const std::string& c = Compressed(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    InflateResult r;
    if (Inflate(U8(c), c.size(), nullptr, 0, r) != kInflateOk || r.produced != Data().size()) state.SkipWithError("bad");
    benchmark::DoNotOptimize(r.crc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}

// The restore's use: the whole member into a buffer (CRC included).
void BM_Inflate_Korvo_Extract(benchmark::State& state) {
  const std::string& c = Compressed(static_cast<int>(state.range(0)));
  std::vector<uint8_t> out(Data().size());
  for (auto _ : state) {
    InflateResult r;
    Inflate(U8(c), c.size(), out.data(), out.size(), r);
    benchmark::DoNotOptimize(r.crc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}

void BM_Inflate_Zlib(benchmark::State& state) {
  const std::string& c = Compressed(static_cast<int>(state.range(0)));
  std::vector<uint8_t> out(Data().size());
  for (auto _ : state) {
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = const_cast<Bytef*>(U8(c));
    z.avail_in = static_cast<uInt>(c.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("bad");
    inflateEnd(&z);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}

// What a zip checker built on zlib does: inflate, then the CRC of the output.
void BM_Inflate_ZlibWithCrc(benchmark::State& state) {
  const std::string& c = Compressed(static_cast<int>(state.range(0)));
  std::vector<uint8_t> out(Data().size());
  for (auto _ : state) {
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = const_cast<Bytef*>(U8(c));
    z.avail_in = static_cast<uInt>(c.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_FINISH);
    inflateEnd(&z);
    benchmark::DoNotOptimize(crc32(0, out.data(), static_cast<uInt>(out.size())));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}

#ifdef KORVO_HAVE_LIBDEFLATE
void BM_Inflate_Libdeflate(benchmark::State& state) {
  const std::string& c = Compressed(static_cast<int>(state.range(0)));
  std::vector<uint8_t> out(Data().size());
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  for (auto _ : state) {
    size_t n = 0;
    libdeflate_deflate_decompress(d, c.data(), c.size(), out.data(), out.size(), &n);
    benchmark::DoNotOptimize(n);
  }
  libdeflate_free_decompressor(d);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}
BENCHMARK(BM_Inflate_Libdeflate)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_Inflate_Korvo_Check)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inflate_Korvo_Extract)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inflate_Zlib)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inflate_ZlibWithCrc)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_Crc32_Korvo(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Crc32(0, Data().data(), Data().size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}
void BM_Crc32_KorvoTables(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Crc32Portable(0, Data().data(), Data().size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}
void BM_Crc32_Zlib(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0, U8(Data()), static_cast<uInt>(Data().size())));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}
BENCHMARK(BM_Crc32_Korvo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crc32_KorvoTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crc32_Zlib)->Unit(benchmark::kMillisecond);
#ifdef KORVO_HAVE_LIBDEFLATE
void BM_Crc32_Libdeflate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(libdeflate_crc32(0, Data().data(), Data().size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Data().size()));
}
BENCHMARK(BM_Crc32_Libdeflate)->Unit(benchmark::kMillisecond);
#endif

// Keeps each benchmark's time per iteration so the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) times[r.benchmark_name()] = r.GetAdjustedCPUTime();  // CPU time: the machine may be busy
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintRatio(const RatioReporter& rep, const std::string& ours, const std::string& theirs) {
  auto a = rep.times.find(ours), b = rep.times.find(theirs);
  if (a == rep.times.end() || b == rep.times.end() || a->second <= 0) return;
  std::printf("  %-34s is %.2fx as fast as %s\n", ours.c_str(), b->second / a->second, theirs.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nSpeed ratios by CPU time (above 1: ours is faster):\n");
  for (const char* level : {"6", "9"}) {
    std::string l = std::string("/") + level;
    PrintRatio(reporter, "BM_Inflate_Korvo_Check" + l, "BM_Inflate_Zlib" + l);
    PrintRatio(reporter, "BM_Inflate_Korvo_Check" + l, "BM_Inflate_ZlibWithCrc" + l);
    PrintRatio(reporter, "BM_Inflate_Korvo_Extract" + l, "BM_Inflate_Zlib" + l);
    PrintRatio(reporter, "BM_Inflate_Korvo_Check" + l, "BM_Inflate_Libdeflate" + l);
  }
  PrintRatio(reporter, "BM_Crc32_Korvo", "BM_Crc32_Zlib");
  PrintRatio(reporter, "BM_Crc32_KorvoTables", "BM_Crc32_Zlib");
  PrintRatio(reporter, "BM_Crc32_Korvo", "BM_Crc32_Libdeflate");
  benchmark::Shutdown();
  return 0;
}
