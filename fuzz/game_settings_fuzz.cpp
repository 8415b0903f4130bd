// korvo-games.cfg: any bytes load to one record per game, each field in range or "same as global"; writes read back.
#include <set>

#include "fuzz_target.h"
#include "base/text_util.h"
#include "settings/game_settings.h"

namespace {
bool Flag(int32_t v, int32_t high) { return v == -1 || (v >= 0 && v <= high); }

bool InRange(const GameSettings& g) {
  return Flag(g.video, 4) && Flag(g.fullscreen, 1) && Flag(g.rotate, 4) && Flag(g.keep_aspect, 1) &&
         Flag(g.filter, 1) && Flag(g.wait_vsync, 1) && Flag(g.bgfx_chain, 5) && Flag(g.sound, 1) &&
         Flag(g.cheat, 1) && Flag(g.skip_gameinfo, 1) && Flag(g.autosave, 1) &&
         (g.volume == -100 || (g.volume >= -32 && g.volume <= 0)) &&
         ((g.res_w == 0 && g.res_h == 0) || (g.res_w >= 160 && g.res_w <= 7680 && g.res_h >= 120 && g.res_h <= 4320)) &&
         Utf16Length(g.bios) <= 39 && Utf16Length(g.extra_arguments) <= 259;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GameSettingsList list;
  ParseGameSettingsText(list, FuzzText(data, size));
  std::set<int32_t> games;
  for (const GameSettings& g : list)
    if (!InRange(g) || !games.insert(g.game).second) std::abort();
  TextBuffer once = FormatGameSettingsText(list);
  GameSettingsList again;
  ParseGameSettingsText(again, once);
  if (FormatGameSettingsText(again) != once) std::abort();
  return 0;
}
