// Read-only view of a whole file. ROM zips run to hundreds of megabytes: a
// mapping lets the checker walk them without copying them into memory first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct MappedFile {
  const uint8_t* data = nullptr;  // null for an empty file
  size_t size = 0;
  void* view = nullptr;    // what UnmapFile releases (platform-specific)
  void* handle = nullptr;
};

// False when the file cannot be opened or mapped; `file` is then empty. While
// mapped, other programs may read the file but not change it, so the view
// cannot shrink under the reader.
bool MapFileForReading(const std::string& path, MappedFile& file);
void UnmapFile(MappedFile& file);
