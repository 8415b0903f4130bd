// Reading only a part of a file: the end of logs that may have grown large,
// one entry of a large text file whose place is known.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The last `max_bytes` bytes of the file (all of a smaller one), opened with
// read and write sharing. Nothing when it cannot be opened.
std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes);

// Up to `max_bytes` bytes from `offset` on (fewer at the end of the file).
// Nothing when the file cannot be opened.
std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset, size_t max_bytes);
