// The backup's own minimal zip writer: stored members, no compression, no
// zip64, assembled in memory and written in one go.
#pragma once
#include <cstdint>
#include <string>

// What a zip without zip64 records can describe: a 16-bit member count and
// 32-bit sizes and offsets (the whole file, end record included, below 4 GiB).
struct ZipLimits {
  uint32_t members = 0xFFFF;
  uint64_t bytes = 0xFFFFFFFFu;
};

struct ZipWriter {
  std::string output;   // local headers and data
  std::string central;  // central directory, appended by FinishZip
  uint32_t count = 0;
  ZipLimits limits;
};

enum class ZipAdd { kAdded, kDoesNotFit, kNoMemory };

void StartZip(ZipWriter& zip);
// Adds a stored member. kDoesNotFit when it would take the zip past its
// limits, kNoMemory when memory runs out; the zip is unchanged then.
ZipAdd AddZipMember(ZipWriter& zip, const std::string& name, const std::string& data);
// Appends the central directory and the end record; `output` is then the zip.
bool FinishZip(ZipWriter& zip);
void ReleaseZip(ZipWriter& zip);
