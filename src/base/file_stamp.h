// Size and last-write time of a file or folder: enough to notice that a
// program was replaced or that a folder's entries changed.
#pragma once
#include <cstdint>
#include <string>

struct FileStamp {
  uint64_t size = 0;
  uint64_t write_time = 0;  // 100-nanosecond intervals since 1601, as Windows counts
};

// False when the path's attributes cannot be read.
bool ReadFileStamp(const std::string& path, FileStamp& stamp);
