#include "base/file_tail.h"

#include <cstdio>

std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes) {
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  FILE* f = std::fopen(native.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long size = std::ftell(f);
    long from = size > static_cast<long>(max_bytes) ? size - static_cast<long>(max_bytes) : 0;
    if (size >= 0 && std::fseek(f, from, SEEK_SET) == 0) {
      bytes.resize(static_cast<size_t>(size - from));
      bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    }
  }
  std::fclose(f);
  return bytes;
}
