#include "romcheck/zip_file.h"

#include "base/file_system.h"

bool ZipFileBytes::Load(const std::string& path) {
  UnmapFile(mapped_);
  copy_.clear();
  if (MapFileForReading(path, mapped_)) {
    data_ = mapped_.data;
    size_ = mapped_.size;
    return true;
  }
  auto whole = ReadWholeFile(path);
  if (!whole) return false;
  copy_ = std::move(*whole);
  data_ = reinterpret_cast<const uint8_t*>(copy_.data());
  size_ = copy_.size();
  return true;
}
