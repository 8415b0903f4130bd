// korvo-listing-cache.cfg: any bytes load without a fault, only table sets enter, and what is taken reads back.
#include "fuzz_target.h"
#include "catalogue/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(FuzzText(data, size));
  const std::string key = "C:\\MAME\\mame.exe|1|2|3|462|1.0.0";
  MameListing listing;
  bool used = ParseListingCache(text, key, listing);
  if (used && listing.empty()) std::abort();
  for (const auto& [name, description] : listing) {
    if (!GameTableSets().count(name)) std::abort();
    for (unsigned char c : description)
      if (c < 0x20) std::abort();
  }
  if (!used) return 0;
  MameListing again;
  if (!ParseListingCache(FormatListingCache(key, listing), key, again) || again != listing) std::abort();
  GameList list = BuildGameList();
  MarkGameList(list, listing);
  return 0;
}
