// The collection audit on a collection like a user's, laid out from MAME's
// -listxml, in one run: as the window runs it, the engine alone on one thread
// and on every core, against libdeflate's inflate + CRC-32 over the same
// members and against MAME 0.251's own -verifyroms; and the audit's pipeline
// (inflate, CRC-32, SHA-1) against inflating alone.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <mutex>
#include <set>
#include <vector>

#ifdef KORVO_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "catalogue/game_table.h"
#include "launch/captured_run.h"
#include "romaudit/collection_audit.h"
#include "romaudit/hash_pipe.h"
#include "romaudit/parallel_check.h"
#include "romaudit/scratch_collection.h"
#include "romcheck/crc32.h"
#include "romcheck/inflate.h"
#include "romcheck/sha1.h"
#include "romcheck/zip_file.h"

namespace {

const std::string& RomData() {
  static const std::string data = ziptest::RomLikeData(16u << 20, 7);
  return data;
}
const std::string& Deflated() {
  static const std::string data = ziptest::Deflate(RomData(), 6);
  return data;
}
const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

void BM_Pipeline_Inflate(benchmark::State& state) {
  for (auto _ : state) {
    InflateResult r;
    Inflate(U8(Deflated()), Deflated().size(), nullptr, 0, r);
    benchmark::DoNotOptimize(r.crc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(RomData().size()));
}

template <typename Hash>
bool TakePiece(void* context, const uint8_t* data, size_t length) {
  static_cast<Hash*>(context)->Update(data, length);
  return true;
}

// Arg 0: SHA-1 on a second core as the audit does while a core is free;
// 1: on the same core; 2: on the same core without SHA instructions.
void BM_Pipeline_InflateCrcSha1(benchmark::State& state) {
  for (auto _ : state) {
    InflateResult r;
    if (state.range(0) == 0) {
      HashPipe pipe(true);
      InflateSink sink{TakePiece<HashPipe>, &pipe};
      Inflate(U8(Deflated()), Deflated().size(), nullptr, 0, r, UINT64_MAX, &sink);
      benchmark::DoNotOptimize(pipe.Finish());
    } else {
      Sha1 sha(state.range(0) == 2);
      InflateSink sink{TakePiece<Sha1>, &sha};
      Inflate(U8(Deflated()), Deflated().size(), nullptr, 0, r, UINT64_MAX, &sink);
      benchmark::DoNotOptimize(sha.Finish());
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(RomData().size()));
}

void BM_Sha1(benchmark::State& state) {
  for (auto _ : state) {
    Sha1 sha(state.range(0) == 1);
    sha.Update(RomData().data(), RomData().size());
    benchmark::DoNotOptimize(sha.Finish());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(RomData().size()));
}

BENCHMARK(BM_Pipeline_Inflate)->Unit(benchmark::kMillisecond)->UseRealTime();
// Wall time: the pipelined form spends its second core's time elsewhere.
BENCHMARK(BM_Pipeline_InflateCrcSha1)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sha1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor seconds used so far by this program (`who` RUSAGE_SELF) or by
// the programs it waited for (RUSAGE_CHILDREN): on a busy machine they show
// the work done better than the wall clock.
double CpuSeconds(int who) {
  struct rusage u{};
  getrusage(who, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A collection like a user's: the table's sets as MAME's -listxml describes
// them, every file at its real size, half of them compressing like ROM data
// and half noise, in deflated zips; at least 1 GiB of ROM data. Built once
// into the build folder and kept for later runs.
constexpr uint64_t kCollectionBytes = 1030ull << 20;
constexpr uint64_t kLargestSet = 100ull << 20;

struct Scratch {
  std::string root, folder;
  std::vector<std::string> sets;
  RomListing listing;
  std::vector<AuditGame> games;
};

double LoadAverage() {
  double load = 0;
  std::ifstream("/proc/loadavg") >> load;
  return load;
}

// Beside the program (build/bench), wherever it is started from.
std::string g_root;

bool PrepareCollection(Scratch& s) {
  s.root = g_root;
  std::filesystem::create_directories(s.root);
  std::vector<std::string> all;
  for (const GameTableRow& row : GameTable) {
    all.push_back(row.set);
    for (const char* more : {row.parent, row.bios})
      if (more && *more) all.push_back(more);
  }
  if (ParseRomListing(scratch::RunMame(s.root, ListXmlArguments(all)), s.listing) == 0) return false;
  ParseCheckingOrder(scratch::RunMame(s.root, ListRomsArguments(all)), s.listing);
  // Sets are taken in the table's order until their files (each laid out
  // once, as a split collection has it) reach the size wanted.
  uint64_t total = 0;
  std::set<std::pair<std::string, std::string>> laid;
  for (const GameTableRow& row : GameTable) {
    auto m = s.listing.find(row.set);
    if (m == s.listing.end() || total >= kCollectionBytes) continue;
    std::vector<const ListedMachine*> machines{&m->second};
    for (const std::string& d : m->second.devices)
      if (auto dm = s.listing.find(d); dm != s.listing.end()) machines.push_back(&dm->second);
    std::vector<std::pair<std::string, std::string>> added;
    uint64_t size = 0;
    for (const ListedMachine* machine : machines)
      for (const ListedFile& f : machine->files) {
        std::pair<std::string, std::string> key{scratch::Owner(s.listing, *machine, f), f.name};
        if (f.nodump || f.disk || laid.count(key)) continue;
        added.push_back(key);
        size += f.size;
      }
    if (size > kLargestSet) continue;
    laid.insert(added.begin(), added.end());
    s.sets.push_back(row.set);
    s.games.push_back({row.title, row.set, row.parent, row.bios, false});
    total += size;
  }
  std::string list;
  for (const std::string& set : s.sets) list += set + "\n";
  s.folder = s.root + "/A";
  std::string stamp_path = s.root + "/sets.txt";
  std::ifstream stamp(stamp_path);
  std::string old((std::istreambuf_iterator<char>(stamp)), {});
  if (old == list && std::filesystem::exists(s.folder)) return true;
  std::printf("Building the scratch collection (%zu sets, about %.0f MiB of ROM data) in %s ...\n", s.sets.size(),
              total / 1048576.0, s.root.c_str());
  std::filesystem::remove_all(s.folder);
  std::filesystem::remove_all(s.root + "/B");
  std::map<std::string, scratch::Kind> kinds;
  for (const auto& [name, m] : s.listing) kinds[name] = scratch::Kind::Mixed;
  scratch::Build(s.listing, s.sets, kinds, s.root);
  std::ofstream(stamp_path) << list;
  return true;
}

// Every member of every zip of the folder, unpacked and checksummed one after
// another by `inflate` (libdeflate, zlib or Korvo's own), on one thread.
template <typename Inflate>
double EveryMember(const std::string& folder, Inflate inflate, uint64_t& bytes) {
  bytes = 0;
  auto start = std::chrono::steady_clock::now();
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().extension() != ".zip") continue;
    ZipFileBytes zip;
    if (!zip.Load(e.path().string())) continue;
    std::vector<ZipEntry> entries;
    if (ReadZipDirectory(zip.data(), zip.size(), entries, 0xFFFF) <= 0) continue;
    for (const ZipEntry& entry : entries) {
      const uint8_t* h = zip.data() + entry.local_offset;
      const uint8_t* data = h + 30 + (h[26] | h[27] << 8) + (h[28] | h[29] << 8);
      if (!inflate(entry, data)) std::printf("  (a member did not unpack: %s)\n", entry.name.c_str());
      bytes += entry.uncompressed_size;
    }
  }
  return Seconds(start);
}

// The audit as the window runs it: the ROM folder listed, MAME asked what the
// sets need (or its answers kept from the first audit read), every set read
// and judged, korvo-audit.cfg written; from the start until the finished event.
double WindowPath(const Scratch& s, unsigned threads, size_t& rows) {
  std::filesystem::remove(s.root + "/korvo-audit.cfg");  // nothing kept: everything is read
  AuditSetup setup;
  setup.mame = {true, scratch::kMame, s.root, RunProgramCaptured};
  setup.folders = {s.folder};
  setup.games = s.games;
  setup.store_path = s.root + "/korvo-audit.cfg";
  setup.answers_path = s.root + "/korvo-audit-mame.cfg";
  setup.threads = threads;
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  rows = 0;
  AuditEvents events;
  events.row = [&](AuditRow) {
    std::lock_guard<std::mutex> lock(mutex);
    ++rows;
  };
  events.finished = [&](AuditOutcome) {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    ended.notify_all();
  };
  auto start = std::chrono::steady_clock::now();
  CollectionAudit audit;
  if (!audit.Start(setup, events)) return 0;
  std::unique_lock<std::mutex> lock(mutex);
  ended.wait(lock, [&] { return finished; });
  double seconds = Seconds(start);
  lock.unlock();
  audit.Wait();
  return seconds;
}

void CompareWithMame() {
  std::printf("\nThe audit on a collection like a user's, against libdeflate and MAME 0.251 -verifyroms:\n");
  if (!scratch::HaveMame()) {
    std::printf("  MAME 0.251 (%s) is not installed: nothing to compare with.\n", scratch::kMame);
    return;
  }
  Scratch s;
  if (!PrepareCollection(s)) {
    std::printf("  MAME gave no -listxml answer: nothing to compare with.\n");
    return;
  }
  uint64_t bytes_on_disk = 0;
  size_t zips = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(s.folder))
    if (e.is_regular_file()) bytes_on_disk += e.file_size(), ++zips;
  const double load_before = LoadAverage();

  // Each side runs three times, in turns, and keeps its best wall time and
  // its processor time of that run: on a machine shared with other work the
  // best run is the one least disturbed.
  struct Timing {
    double wall = 1e9, cpu = 0;
    void Take(double w, double c) {
      if (w < wall) wall = w, cpu = c;
    }
  };
  auto timed = [](Timing& t, const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    double cpu = CpuSeconds(RUSAGE_SELF);
    run();
    t.Take(Seconds(start), CpuSeconds(RUSAGE_SELF) - cpu);
  };
  uint64_t member_bytes = 0;
  Timing reading, libdeflate, korvo_inflate, engine_one, engine_all, window, first_window;
  std::filesystem::remove(s.root + "/korvo-audit-mame.cfg");  // the first audit asks MAME
  const unsigned threads = CheckThreads();
  size_t rows = 0;
#ifdef KORVO_HAVE_LIBDEFLATE
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
#endif
  std::vector<uint8_t> out;
  for (int round = 0; round < 3; ++round) {
    // Reading the bytes alone (the first round also warms the file cache for every side).
    timed(reading, [&] {
      std::vector<char> buffer(1u << 20);
      for (const auto& e : std::filesystem::directory_iterator(s.folder)) {
        std::ifstream in(e.path(), std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount())
          benchmark::DoNotOptimize(buffer.data());
      }
    });
#ifdef KORVO_HAVE_LIBDEFLATE
    timed(libdeflate, [&] {
      EveryMember(s.folder, [&](const ZipEntry& e, const uint8_t* data) {
        out.resize(e.uncompressed_size);
        if (e.method == 0) return libdeflate_crc32(0, data, e.uncompressed_size) == e.crc;
        return libdeflate_deflate_decompress(decompressor, data, e.compressed_size, out.data(), out.size(), nullptr) ==
                   LIBDEFLATE_SUCCESS &&
               libdeflate_crc32(0, out.data(), out.size()) == e.crc;
      }, member_bytes);
    });
#endif
    timed(korvo_inflate, [&] {
      EveryMember(s.folder, [&](const ZipEntry& e, const uint8_t* data) {
        InflateResult r;
        if (e.method == 0) return Crc32(0, data, e.uncompressed_size) == e.crc;
        return Inflate(data, e.compressed_size, nullptr, 0, r) == kInflateOk && r.crc == e.crc;
      }, member_bytes);
    });
    // The engine alone (the listing given), on one thread and on every core.
    for (auto [t, n] : {std::pair{&engine_one, 1u}, std::pair{&engine_all, threads}})
      timed(*t, [&, n = n] {
        RomPlaces places = ListRomPlaces({s.folder});
        CheckRun run;
        run.threads = n;
        CheckSets(s.listing, places, s.sets, run);
      });
    timed(round == 0 ? first_window : window, [&] { WindowPath(s, threads, rows); });
  }
#ifdef KORVO_HAVE_LIBDEFLATE
  libdeflate_free_decompressor(decompressor);
#endif

  const std::string rompath = " -rompath '" + s.folder + "'";
  auto start = std::chrono::steady_clock::now();
  scratch::RunMame(s.root, "-verifyroms" + rompath);
  double mame_everything = Seconds(start);
  const double load_after = LoadAverage();

  struct rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double mib = member_bytes / 1048576.0;
  auto line = [&](const char* what, const Timing& t) {
    std::printf("  %-46s %7.3f s  (%5.0f MiB/s; %.3f s of processor time)\n", what, t.wall, mib / t.wall, t.cpu);
  };
  std::printf("  collection: %zu sets, %zu zips, %.0f MiB on disk, %.0f MiB of ROM data (every member unpacked)\n",
              s.sets.size(), zips, bytes_on_disk / 1048576.0, mib);
  std::printf("  best of three runs each:\n");
  line("reading the bytes", reading);
  line("libdeflate inflate + CRC-32, one thread", libdeflate);
  line("Korvo's inflate + CRC-32, one thread", korvo_inflate);
  line("Korvo's audit engine (SHA-1 too), 1 thread", engine_one);
  char all[64];
  std::snprintf(all, sizeof all, "Korvo's audit engine (SHA-1 too), %u threads", threads);
  line(all, engine_all);
  std::printf("  %-46s %7.3f s  (%5.0f MiB/s; %zu sets judged; MAME's answers kept)\n",
              "Korvo's audit as the window runs it", window.wall, mib / window.wall, rows);
  std::printf("  %-46s %7.3f s  (%5.0f MiB/s; MAME asked while the zips are read; one run)\n",
              "  the first one for this mame.exe", first_window.wall, mib / first_window.wall);
  std::printf("  %-46s %7.3f s  (one run)\n", "MAME -verifyroms of every system it knows", mame_everything);
  std::printf("  Ratios (goal in brackets):\n");
  std::printf("    the window's path against the engine alone:          %.2fx as long  [1.00x]\n",
              window.wall / engine_all.wall);
  std::printf("    %u threads against one:                               %.2fx as fast  [at least 1.7x on two free cores]\n",
              threads, engine_one.wall / engine_all.wall);
  std::printf("      (processor time per wall second with %u threads: %.2f; it is %u when the cores are free)\n", threads,
              engine_all.cpu / engine_all.wall, threads);
  std::printf("    the audit (SHA-1 too) against libdeflate + CRC-32:   %.2fx as fast  [at least 0.8x]\n",
              libdeflate.wall / window.wall);
  std::printf("    the audit against MAME's every-system -verifyroms:   %.2fx as fast  [at least 8x]\n",
              mame_everything / window.wall);
  std::printf("  (MAME reads only the zips' directories and trusts their CRCs; Korvo unpacks every byte.)\n");
  std::printf("  (load average when measured: %.1f before, %.1f after, on %u cores shared with other work)\n",
              load_before, load_after, threads);
  std::printf("  peak resident memory of this program: %.0f MB\n", usage.ru_maxrss / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  g_root = (std::filesystem::absolute(argv[0]).parent_path() / "audit-bench").string();
  benchmark::Initialize(&argc, argv);
  Deflated();  // made before the clock runs
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* ours, const char* theirs) {
    double a = reporter.times[ours], b = reporter.times[theirs];
    if (a > 0 && b > 0) std::printf("  %-36s runs at %3.0f %% of the speed of %s\n", ours, 100.0 * b / a, theirs);
  };
  std::printf("\nThe audit's pipeline by wall time (SHA-1 %s; /0 hashes on a second core, /1 on the same one,\n"
              "/2 on the same one without SHA instructions):\n",
              Sha1HasHardwarePath() ? "with the processor's SHA instructions" : "in portable code");
  ratio("BM_Pipeline_InflateCrcSha1/0/real_time", "BM_Pipeline_Inflate/real_time");
  ratio("BM_Pipeline_InflateCrcSha1/1/real_time", "BM_Pipeline_Inflate/real_time");
  ratio("BM_Pipeline_InflateCrcSha1/2/real_time", "BM_Pipeline_Inflate/real_time");
  CompareWithMame();
  benchmark::Shutdown();
  return 0;
}
