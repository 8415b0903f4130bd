// 7z archives on any bytes: each member comes out at its size with its CRC-32, or with a problem; the whole agrees.
#include "fuzz_target.h"
#include "romcheck/crc32.h"
#include "romcheck/seven_zip.h"

namespace {
bool Count(void* context, const uint8_t* data, size_t length) {
  auto* seen = static_cast<std::pair<uint64_t, uint32_t>*>(context);
  seen->first += length;
  seen->second = Crc32(seen->second, data, length);
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SevenZipReader reader;
  std::string problem;
  // Blocks are unpacked whole: keep them small enough for a fuzzer's memory.
  if (!reader.Open(data, size, problem, 1u << 24)) {
    if (problem.empty()) std::abort();
    return 0;
  }
  bool all_sound = true;
  size_t files = 0;
  for (size_t i = 0; i < reader.members().size(); ++i) {
    const SevenZipMember& m = reader.members()[i];
    if (m.folder) continue;
    ++files;
    std::pair<uint64_t, uint32_t> seen{0, 0};
    InflateSink sink{Count, &seen};
    ZipMemberCheck check = reader.CheckMember(i, &sink);
    if (check.stopped) std::abort();
    if (!check.problem && (seen.first != m.size || check.produced != m.size || check.crc != seen.second ||
                           (m.has_crc && check.crc != m.crc)))
      std::abort();
    all_sound = all_sound && !check.problem;
  }
  // The whole-archive check unpacks afresh (with its own, larger, limit): it may only find more wrong, never less.
  if (files > 0 && !all_sound) {
    ZipCheck check;
    if (CheckSevenZip(data, size, check)) std::abort();
  }
  return 0;
}
