// -listxml's driver part and its cache: only machines with a driver, cached ones read back, words end in a full stop.
#include "fuzz_target.h"
#include "catalogue/mame_status.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(FuzzText(data, size));
  DriverStatuses statuses;
  ParseDriverStatuses(text, statuses);
  for (const auto& [name, status] : statuses) {
    std::string words = DriverStatusText(status);
    if (status.Known() != !words.empty() || (!words.empty() && words.back() != '.')) std::abort();
    DriverStatuses again;
    if (ParseDriverStatuses(FormatDriverStatusElement(name, status), again) != 1 || again[name] != status)
      std::abort();
  }
  const std::string key = "C:\\MAME\\mame.exe|1|2|3|462|1.0.0";
  DriverStatuses cached;
  if (ParseDriverStatusCache(text, key, cached)) {
    DriverStatuses again;
    if (!ParseDriverStatusCache(FormatDriverStatusCache(key, cached), key, again) || again != cached) std::abort();
    GameList list = BuildGameList();
    ApplyDriverStatuses(list, cached);
  }
  return 0;
}
