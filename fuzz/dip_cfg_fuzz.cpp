// DIP cfg editor on any text: removing is repeatable, a written setting reads back, nothing is added outside its ports.
#include <vector>

#include "fuzz_target.h"
#include "options/dip_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string cfg(FuzzText(data, size));
  const DipSwitch sw{"", "DSW", 2, 2, {{"Off", 2}, {"On", 0}}};
  (void)CurrentDipValue(cfg, sw);

  std::vector<DipChoice> to_default = {{"DSW", 2, 2, 2}, {":IN1", 8, 8, 8}};
  std::string removed = ApplyDipChoices(cfg, "game", to_default);
  if (removed.size() > cfg.size()) std::abort();
  if (ApplyDipChoices(removed, "game", to_default) != removed) std::abort();

  std::vector<DipChoice> changed = {{"DSW", 2, 2, 0}, {":IN1", 8, 8, 0}};
  std::string written = ApplyDipChoices(cfg, "game", changed);
  if (cfg.find("<port") == std::string::npos &&
      written.find("<port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\"") != std::string::npos &&
      CurrentDipValue(written, sw) != 0)
    std::abort();
  return 0;
}
