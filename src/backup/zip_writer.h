// The backup's own minimal zip writer: stored members, no compression, no
// zip64, assembled in memory and written in one go.
#pragma once
#include <cstdint>
#include <string>

struct ZipWriter {
  std::string output;   // local headers and data
  std::string central;  // central directory, appended by FinishZip
  uint32_t count = 0;
};

void StartZip(ZipWriter& zip);
// False when memory runs out, or when the member would take the zip past what
// its 16-bit count and 32-bit offsets can describe (the member is then left out).
bool AddZipMember(ZipWriter& zip, const std::string& name, const std::string& data);
// Appends the central directory and the end record; `output` is then the zip.
bool FinishZip(ZipWriter& zip);
void ReleaseZip(ZipWriter& zip);
