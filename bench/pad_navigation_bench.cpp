// One tick of couch mode's decision over four XInput pads and sixteen
// joysticks, all connected, against the floor of merely copying the readings
// in the same run (the launcher runs it 60 times a second).
#include <benchmark/benchmark.h>

#include <array>

#include "controls/pad_navigation.h"

namespace {
// A second of play: a direction held, buttons pressed and let go, the stick pushed.
std::array<PadReadings, 64> Script() {
  std::array<PadReadings, 64> script{};
  for (size_t i = 0; i < script.size(); ++i) {
    PadReadings& r = script[i];
    r.xinput = true;
    for (auto& pad : r.pads) pad.ok = true;
    for (auto& stick : r.joysticks) stick.ok = true;
    r.pads[0].buttons = i < 40 ? 0x0002 : 0;          // D-pad down, held
    r.pads[1].buttons = (i / 8) % 2 ? 0x1000 : 0;     // A, pressed and let go
    r.pads[2].thumb_ly = static_cast<int16_t>(i * 500);  // the stick, pushed further
    r.joysticks[3].pov = (i / 16) % 2 ? 9000 : 65535;
  }
  return script;
}

void BM_CopyReadings(benchmark::State& state) {
  const auto script = Script();
  size_t i = 0;
  for (auto _ : state) {
    PadReadings copy = script[i++ % script.size()];
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyReadings);

void BM_PadNavigationTick(benchmark::State& state) {
  const auto script = Script();
  PadNavigationMemory memory;
  const PadNavigationMode mode{true, true};
  uint32_t now = 0;
  size_t i = 0;
  for (auto _ : state) {
    PadReadings copy = script[i++ % script.size()];
    benchmark::DoNotOptimize(DecidePadNavigation(memory, copy, now += 16, mode));
  }
}
BENCHMARK(BM_PadNavigationTick);
}  // namespace
