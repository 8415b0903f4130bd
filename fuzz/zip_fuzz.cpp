// Zip directory, integrity check and extraction on any bytes: no fault, and a zip the check calls sound unpacks.
#include <vector>

#include "fuzz_target.h"
#include "romcheck/zip_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZipCheck check;
  bool sound = CheckZip(data, size, check);
  if (check.problems.size() > kZipProblemTexts || check.problems.size() > check.problem_count) std::abort();
  for (const auto& p : check.problems)
    if (p.size() > kZipProblemBytes) std::abort();
  if (sound != (check.problem_count == 0)) std::abort();

  std::vector<ZipEntry> entries;
  int count = ReadZipDirectory(data, size, entries, 64);
  if (count < -1 || entries.size() > 64) std::abort();
  for (const ZipEntry& e : entries) {
    if (e.name.size() > kZipNameBytes) std::abort();
    if (e.uncompressed_size > (1u << 24)) continue;
    std::vector<uint8_t> out(e.uncompressed_size);
    bool ok = ExtractZipMember(data, size, e, out.data());
    bool folder = !e.name.empty() && e.name.back() == '/';
    if (sound && !folder && !ok) std::abort();
  }
  return 0;
}
