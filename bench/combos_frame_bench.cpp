// Cost of the combos plugin's frame handler per emulated frame, with 20
// active rows and 12 autofire rows, measured in the simulated MAME against an
// empty handler in the same Lua run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "combos/combos_plugin.h"
#include "combos/move_lists.h"

namespace {

// A bench without its data measures nothing: it says why and fails.
[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "combos_frame_bench: %s\n", why.c_str());
  std::exit(1);
}

struct Costs {
  double empty_ns = 0, plugin_ns = 0;
};

const Costs& Measure() {
  static Costs costs = [] {
    CombosState s;
    ResetCombos(s);
    LoadCharacterMoves(s, "Skullomania");  // 17 moves
    const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "Q", "W",
                          "E", "R", "T", "Y", "U", "I", "O", "P"};
    std::string cycle = "cycle";
    for (int i = 0; i < kComboRowCount; ++i) {
      if (s.rows[i].seq.empty()) s.rows[i].seq = "236236+LP+MP+HP";
      s.rows[i].key = keys[i];
      s.rows[i].pad = std::to_string(1 + i % 2) + "_BUTTON" + std::to_string(1 + i % 6);
      s.rows[i].player = 1 + i % 2;
      cycle += std::string(" KEYCODE_") + keys[i];
    }
    std::string autofire;
    for (int i = 0; i < 12; ++i)
      autofire += "{player=" + std::to_string(1 + i / 6) + ",bit=" + std::to_string(4 + i % 6) + ",trig='KEYCODE_F" +
                  std::to_string(1 + i) + " OR JOYCODE_" + std::to_string(1 + i / 6) + "_BUTTON" +
                  std::to_string(1 + i % 6) + "'},\n";
    CombosPluginInputs in;
    in.combos = &s;
    in.autofire_rows = autofire;
    std::string dir = "/tmp/korvo-combos-bench";
    std::system(("mkdir -p " + dir).c_str());
    std::ofstream(dir + "/init.lua") << BuildCombosInitLua(in);
    std::ofstream(dir + "/scenario.txt") << "bench 200000\n" << cycle << "\nhold KEYCODE_F1 1 200000\nhold KEYCODE_F7 1 200000\n";
    const std::string simulator = std::string(KORVO_SOURCE_DIR) + "/tests/lua/mame_sim.lua";
    if (!std::ifstream(simulator)) Fail("cannot open " + simulator);
    std::string command = "lua5.4 " + simulator + " " + dir + "/init.lua " + dir + "/scenario.txt";
    Costs c;
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char line[256];
      while (std::fgets(line, sizeof line, pipe))
        std::sscanf(line, "bench empty %lf ns/frame, plugin %lf ns/frame", &c.empty_ns, &c.plugin_ns);
      pclose(pipe);
    }
    if (c.empty_ns <= 0 || c.plugin_ns <= 0) Fail("the simulated MAME printed no timing (" + command + ")");
    return c;
  }();
  return costs;
}

void BM_EmptyFrameHandler(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(Measure().empty_ns * 1e-9);
}
void BM_CombosFrameHandler_20Rows_12Autofire(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(Measure().plugin_ns * 1e-9);
  state.counters["frame_budget_share_%"] = Measure().plugin_ns / (1e9 / 60) * 100;
}

}  // namespace

BENCHMARK(BM_EmptyFrameHandler)->UseManualTime()->Iterations(1)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_CombosFrameHandler_20Rows_12Autofire)->UseManualTime()->Iterations(1)->Unit(benchmark::kNanosecond);
