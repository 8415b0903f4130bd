// .dat files (mameinfo.dat, command.dat, ...): any bytes index, every kept place lies inside the file, each text reads.
#include "fuzz_target.h"
#include "preview/game_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(FuzzText(data, size));
  InfoIndex index = IndexDatFile(bytes);
  if (index.damaged && index.damaged_at > size) std::abort();
  for (const auto& [set, ranges] : index.ranges)
    for (const TextRange& r : ranges) {
      if (r.offset + r.length > size || set.empty()) std::abort();
      DatEntryText(bytes.substr(r.offset, r.length), true);
    }
  return 0;
}
