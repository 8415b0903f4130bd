// The collection audit against MAME 0.251's own -verifyroms over one scratch
// collection laid out from MAME's -listxml, in one run; and the audit's
// pipeline (inflate, CRC-32, SHA-1) against inflating alone.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "catalogue/game_table.h"
#include "romaudit/hash_pipe.h"
#include "romaudit/parallel_check.h"
#include "romaudit/scratch_collection.h"
#include "romcheck/inflate.h"
#include "romcheck/sha1.h"

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

// A sample of the table's sets, board by board, up to about 700 MB of ROM
// data: built once into the build folder and kept for later runs.
constexpr uint64_t kCollectionBytes = 700ull << 20;
constexpr uint64_t kLargestSet = 60ull << 20;

struct Scratch {
  std::string root, folder;
  std::vector<std::string> sets;
  RomListing listing;
  double listxml_seconds = 0;
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
  auto start = std::chrono::steady_clock::now();
  std::string xml = scratch::RunMame(s.root, ListXmlArguments(all));
  s.listxml_seconds = Seconds(start);
  if (ParseRomListing(xml, s.listing) == 0) return false;
  uint64_t total = 0;
  for (const GameTableRow& row : GameTable) {
    auto m = s.listing.find(row.set);
    if (m == s.listing.end()) continue;
    uint64_t size = 0;
    for (const ListedFile& f : m->second.files) size += f.size;
    if (size > kLargestSet || total + size > kCollectionBytes) continue;
    s.sets.push_back(row.set);
    total += size;
  }
  std::string list;
  for (const std::string& set : s.sets) list += set + "\n";
  s.folder = s.root + "/A";
  std::string stamp_path = s.root + "/sets.txt";
  std::ifstream stamp(stamp_path);
  std::string old((std::istreambuf_iterator<char>(stamp)), {});
  if (old == list && std::filesystem::exists(s.folder)) return true;
  std::printf("Building the scratch collection (%zu sets) in %s ...\n", s.sets.size(), s.root.c_str());
  std::filesystem::remove_all(s.folder);
  std::filesystem::remove_all(s.root + "/B");
  // Deflated like most ROM zips; the data is right in name, size and CRC.
  std::map<std::string, scratch::Kind> kinds;
  for (const auto& [name, m] : s.listing) kinds[name] = scratch::Kind::Deflated;
  scratch::Build(s.listing, s.sets, kinds, s.root);
  std::ofstream(stamp_path) << list;
  return true;
}

void CompareWithMame() {
  std::printf("\nCollection audit against MAME 0.251 -verifyroms:\n");
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
  for (const auto& e : std::filesystem::recursive_directory_iterator(s.folder))
    if (e.is_regular_file()) bytes_on_disk += e.file_size();

  // Korvo: every member unpacked, CRC-32 and SHA-1 of all of it, on every core.
  double korvo_cpu = 0;
  auto korvo = [&](unsigned threads, uint64_t& bytes_read, size_t& judged) {
    auto start = std::chrono::steady_clock::now();
    double cpu = CpuSeconds(RUSAGE_SELF);
    RomPlaces places = ListRomPlaces({s.folder});
    std::atomic<uint64_t> bytes{0};
    judged = 0;
    CheckRun run;
    run.threads = threads;
    run.bytes = &bytes;
    run.done = [&](SetCheck&&) { ++judged; };
    CheckSets(s.listing, places, s.sets, run);
    bytes_read = bytes;
    korvo_cpu = CpuSeconds(RUSAGE_SELF) - cpu;
    return Seconds(start);
  };
  uint64_t bytes_read = 0;
  size_t judged = 0;
  korvo(1, bytes_read, judged);  // warms the file cache for both sides
  const unsigned threads = CheckThreads();
  double korvo_all = korvo(threads, bytes_read, judged);
  const double korvo_all_cpu = korvo_cpu;
  double korvo_one = korvo(1, bytes_read, judged);

  std::string sets;
  for (const std::string& set : s.sets) sets += " " + set;
  const std::string rompath = " -rompath '" + s.folder + "'";
  auto start = std::chrono::steady_clock::now();
  double child_cpu = CpuSeconds(RUSAGE_CHILDREN);
  scratch::RunMame(s.root, "-verifyroms" + sets + rompath);
  double mame_named = Seconds(start), mame_named_cpu = CpuSeconds(RUSAGE_CHILDREN) - child_cpu;
  start = std::chrono::steady_clock::now();
  for (const std::string& set : s.sets) scratch::RunMame(s.root, "-verifyroms " + set + rompath);
  double mame_each = Seconds(start);
  start = std::chrono::steady_clock::now();
  scratch::RunMame(s.root, "-verifyroms" + rompath);
  double mame_everything = Seconds(start);

  struct rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("  collection: %zu sets, %.0f MB in zips, %.0f MB of ROM data unpacked and hashed\n", s.sets.size(),
              bytes_on_disk / 1048576.0, bytes_read / 1048576.0);
  std::printf("  Korvo, %u threads (every core):  %7.3f s, %.3f s of processor time  (%.0f MB/s; 1 thread: %.3f s)\n",
              threads, korvo_all, korvo_all_cpu, bytes_read / 1048576.0 / korvo_all, korvo_one);
  std::printf("  Korvo, with asking MAME -listxml: %7.3f s\n", korvo_all + s.listxml_seconds);
  std::printf("  MAME -verifyroms naming the %zu sets, one run:   %7.3f s, %.3f s of processor time  -> Korvo is %.2fx as fast\n",
              s.sets.size(), mame_named, mame_named_cpu, mame_named / korvo_all);
  std::printf("  MAME -verifyroms one set per run (%zu runs):    %7.3f s  -> Korvo is %.2fx as fast\n",
              s.sets.size(), mame_each, mame_each / korvo_all);
  std::printf("  MAME -verifyroms of every system it knows:       %7.3f s  -> Korvo is %.2fx as fast\n",
              mame_everything, mame_everything / korvo_all);
  std::printf("  (MAME reads only the zips' directories and trusts their CRCs; Korvo unpacks every byte.)\n");
  std::printf("  (load average when measured: %.1f on %u cores)\n", LoadAverage(), threads);
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
