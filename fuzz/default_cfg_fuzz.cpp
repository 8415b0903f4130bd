// default.cfg: any bytes load; a write keeps every byte outside Korvo's port elements, a second one changes nothing.
#include "fuzz_target.h"
#include "controls/default_cfg.h"
#include "controls/game_cfg_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(FuzzText(data, size));
  InputMapping m;
  ReadDefaultCfgText(m, input);
  for (const ActionBinding& b : m.bindings)
    if (b.key.size() > kKeyMax || b.pad.size() > kPadMax || b.extra.size() > kExtraMax) std::abort();

  std::string once = input;
  if (EditDefaultCfgText(m, once) == CfgEdit::Write) {
    InputMapping again;
    ReadDefaultCfgText(again, once);
    for (int i = 0; i < kActionCount; ++i)
      if (m.bindings[i].present && SequenceToWrite(again, i) != SequenceToWrite(m, i)) std::abort();
    std::string twice = once;
    if (EditDefaultCfgText(again, twice) != CfgEdit::Write || twice != once) std::abort();
  }

  std::string game = input;
  StripGameCfgText(game);
  if (game.size() > input.size()) std::abort();
  return 0;
}
