// Reading only the end of a file, for logs that may have grown large.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

// The last `max_bytes` bytes of the file (all of a smaller one), opened with
// read and write sharing. Nothing when it cannot be opened.
std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes);
