// DIP cfg editor: any cfg text must be read and rewritten without a fault;
// removing is repeatable, a written setting reads back, and nothing is ever
// added outside the ports of the chosen switches.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "options/dip_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string cfg(reinterpret_cast<const char*>(data), size);
  DipSwitch sw;
  sw.tag = "DSW";
  sw.mask = 2;
  sw.default_value = 2;
  sw.values = {{"Off", 2}, {"On", 0}};
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
