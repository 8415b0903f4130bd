// MAME's -listfull: any output parses into table sets with clean one-line descriptions that the cache keeps intact.
#include "fuzz_target.h"
#include "catalogue/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(FuzzText(data, size));
  MameListing listing;
  size_t lines = ParseListfull(text, GameTableSets(), listing);
  if (lines > size) std::abort();
  for (const auto& [name, description] : listing) {
    if (!GameTableSets().count(name)) std::abort();
    for (unsigned char c : description)
      if (c < 0x20 || c == 0x7f) std::abort();
  }
  if (listing.empty()) return 0;
  MameListing again;  // empty descriptions and real ones alike come back as they were
  if (!ParseListingCache(FormatListingCache("k", listing), "k", again) || again != listing) std::abort();
  return 0;
}
