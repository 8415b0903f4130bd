// history.xml: any bytes index without a fault, every kept place lies inside the file, and each text reads.
#include "fuzz_target.h"
#include "preview/game_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(FuzzText(data, size));
  InfoIndex index = IndexHistoryXml(bytes);
  if (index.damaged && index.damaged_at > size) std::abort();
  for (const auto& [set, ranges] : index.ranges)
    for (const TextRange& r : ranges) {
      if (r.offset + r.length > size) std::abort();
      HistoryEntryText(bytes.substr(r.offset, r.length));
    }
  return 0;
}
