// MAME's whole -listfull answer (2.5 MB) as a real MAME prints it, a line at
// a time through the C library (the fake MAME's print-lines switch), taken
// through the captured run's pipe; against the same run of the same program
// with its output sent to a file, which is then read. Both ways run in turn
// in one run; the medians and their ratio are printed (the goal: under 1.5).
// A plain program, so that the same source measures the POSIX build natively
// and the Windows build under Wine.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "launch/captured_run.h"
#include "launch/game_process.h"

namespace {
namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

size_t ThroughPipe(const std::string& program, const std::string& folder) {
  TextBuffer out;
  return RunProgramCaptured(program, folder, "-listfull", out, 60000) == kCapturedEnded ? out.size() : 0;
}

size_t ThroughFile(const std::string& program, const std::string& folder) {
  GameStart start;
  start.program = program;
  start.args = {"-listfull"};
  start.working_folder = folder;
  start.output_path = Utf8(fs::path(folder) / "answer.txt");
  GameProcess process;
  uint32_t error = 0;
  if (!StartGameProcess(start, process, error)) return 0;
  WaitGameProcess(process, UINT32_MAX);
  CloseGameProcess(process);
  std::optional<std::string> answer = ReadWholeFile(start.output_path);
  return answer ? answer->size() : 0;
}
}  // namespace

int main() {
  const fs::path fake = KORVO_FAKEMAME;
  std::error_code error;
  if (!fs::is_regular_file(fake, error)) {
    std::fprintf(stderr, "captured_run_bench: the fake MAME is not at %s\n", Utf8(fake).c_str());
    return 1;
  }
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path folder = fs::temp_directory_path() / ("korvo-captured-run-bench-" + std::to_string(stamp));
  fs::create_directories(folder);
  const fs::path program = folder / fake.filename();
  fs::copy_file(fake, program, error);
  fs::permissions(program, fs::perms::owner_all, fs::perm_options::add, error);
  std::ofstream(folder / "fakemame-control.txt") << "print-lines=1\n";

  int result = 0;
  const size_t pipe_bytes = ThroughPipe(Utf8(program), Utf8(folder));
  const size_t file_bytes = ThroughFile(Utf8(program), Utf8(folder));
  if (pipe_bytes < 2000000 || pipe_bytes != file_bytes) {
    std::fprintf(stderr, "captured_run_bench: the answers differ or are missing (pipe %zu bytes, file %zu bytes)\n",
                 pipe_bytes, file_bytes);
    result = 1;
  } else {
    std::vector<double> pipe, file;
    for (int round = 0; round < 9; ++round) {
      auto t0 = std::chrono::steady_clock::now();
      ThroughPipe(Utf8(program), Utf8(folder));
      auto t1 = std::chrono::steady_clock::now();
      ThroughFile(Utf8(program), Utf8(folder));
      auto t2 = std::chrono::steady_clock::now();
      pipe.push_back(Ms(t1 - t0));
      file.push_back(Ms(t2 - t1));
    }
    const double p = Median(pipe), f = Median(file);
    std::printf("Captured -listfull of %zu bytes printed line by line (median of %zu runs, wall time):\n",
                pipe_bytes, pipe.size());
    std::printf("  through the pipe               %8.1f ms\n", p);
    std::printf("  into a file, then read         %8.1f ms\n", f);
    std::printf("  ratio pipe / file              %8.2fx (goal: under 1.5x)\n", p / f);
  }
  fs::remove_all(folder, error);
  return result;
}
