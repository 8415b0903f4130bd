// A zip file's bytes for the checker and the restore: mapped when the system
// allows it, else read whole (for files another program holds open for writing).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "romcheck/mapped_file.h"

class ZipFileBytes {
 public:
  ZipFileBytes() = default;
  ~ZipFileBytes() { UnmapFile(mapped_); }
  ZipFileBytes(const ZipFileBytes&) = delete;
  ZipFileBytes& operator=(const ZipFileBytes&) = delete;

  // False when the file cannot be opened at all.
  bool Load(const std::string& path);
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  MappedFile mapped_;
  std::string copy_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
