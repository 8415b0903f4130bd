// -listxml for the DIP window: any answer reads without a fault and keeps the promises the window relies on.
#include "fuzz_target.h"
#include "options/machine_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string listing(FuzzText(data, size));
  for (const char* set : {"game", "sfex2", "breakout"}) {
    MachineInfo info = ParseMachineListing(listing, set);
    if (!info.listed && (!info.switches.empty() || !info.biossets.empty())) std::abort();
    for (const DipSwitch& sw : info.switches)
      for (size_t i = 0; i < sw.values.size(); ++i)
        for (size_t j = i + 1; j < sw.values.size(); ++j)
          if (sw.values[i].value == sw.values[j].value) std::abort();
  }
  return 0;
}
