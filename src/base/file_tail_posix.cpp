#include "base/file_tail.h"

#include <cstdint>
#include <cstdio>

namespace {
FILE* OpenNative(const std::string& path) {
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  return std::fopen(native.c_str(), "rb");
}

std::string ReadAt(FILE* f, uint64_t offset, size_t max_bytes) {
  std::string bytes;
  if (offset <= static_cast<uint64_t>(INT64_MAX) && fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0) {
    bytes.resize(max_bytes);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  }
  return bytes;
}
}  // namespace

std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes) {
  FILE* f = OpenNative(path);
  if (!f) return std::nullopt;
  std::string bytes;
  if (fseeko(f, 0, SEEK_END) == 0) {
    const off_t size = ftello(f);
    const uint64_t total = size > 0 ? static_cast<uint64_t>(size) : 0;
    const uint64_t from = total > max_bytes ? total - max_bytes : 0;
    bytes = ReadAt(f, from, static_cast<size_t>(total - from));
  }
  std::fclose(f);
  return bytes;
}

std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset, size_t max_bytes) {
  FILE* f = OpenNative(path);
  if (!f) return std::nullopt;
  std::string bytes = ReadAt(f, offset, max_bytes);
  std::fclose(f);
  return bytes;
}
