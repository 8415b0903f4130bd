// korvo-played.cfg: any bytes load to games above 0 with counts of 0 or more, and what is written reads back the same.
#include "fuzz_target.h"
#include "settings/play_stats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PlayStats stats;
  ParsePlayStats(FuzzText(data, size), stats);
  for (const auto& [game, r] : stats) {
    if (game <= 0 || r.times < 0 || r.seconds < 0 || r.last < 0) std::abort();
    PlayedText(r, LocalDateOf(r.last));
  }
  PlayStats again;
  ParsePlayStats(FormatPlayStats(stats), again);
  if (again != stats) std::abort();
  return 0;
}
