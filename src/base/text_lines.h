// Walking a text file line by line: every launcher file and every answer of
// MAME's is read this way.
#pragma once
#include <string_view>

// Calls `visit` with each LF-separated line of `text`, without its LF and
// without one CR before it. A final LF does not start another (empty) line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    start = end + 1;
  }
}

#include <vector>

// The pieces of `line` between `separator` characters (an empty line is one empty piece).
inline std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    size_t at = line.find(separator, start);
    if (at == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, at - start));
    start = at + 1;
  }
}
