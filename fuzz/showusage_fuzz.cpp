// -showusage and its cache: any bytes parse, every option read is known afterwards, a usable answer survives the cache.
#include "fuzz_target.h"
#include "catalogue/mame_usage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(FuzzText(data, size));
  MameUsage usage;
  size_t lines = ParseShowusage(text, usage);
  if (usage.names.size() + usage.run_on.size() > lines) std::abort();
  for (const std::string& name : usage.names)
    if (!HasMameOption(usage, name) || !HasMameArgument(usage, "-no" + name)) std::abort();
  for (const std::string& head : usage.run_on)
    if (!HasMameOption(usage, head)) std::abort();
  const std::string key = "C:\\MAME\\mame.exe|1|2|3|showusage|1";
  MameUsage again;
  bool cached = ParseUsageCache(FormatUsageCache(key, usage), key, again);
  if (cached != usage.Known() || again.names != usage.names) std::abort();
  MameUsage other;
  if (ParseUsageCache(text, key, other) && !other.Known()) std::abort();
  return 0;
}
