#include "controls/cfg_elements.h"

#include <algorithm>

PortElement FindPortElement(const std::string& text, std::string_view type, size_t from) {
  PortElement el;
  std::string needle = "<port type=\"";
  needle += type;
  needle += '"';
  size_t match = text.find(needle, from);
  if (match == std::string::npos) return el;
  el.found = true;
  el.match = match;
  size_t tag_end = text.find('>', match + needle.size());
  if (tag_end == std::string::npos) return el;
  if (text[tag_end - 1] == '/') {
    el.closed = true;
    el.end = tag_end + 1;
    return el;
  }
  size_t close = text.find("</port>", tag_end);
  if (close == std::string::npos) return el;
  size_t next_open = text.find("<port", tag_end);
  if (next_open != std::string::npos && next_open < close) return el;
  el.closed = true;
  el.end = close + 7;
  return el;
}

std::pair<size_t, size_t> ElementCutRange(const std::string& text, const PortElement& el) {
  size_t start = el.match;
  while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t')) --start;
  size_t end = el.end;
  if (end < text.size() && text[end] == '\r') ++end;
  if (end < text.size() && text[end] == '\n') ++end;
  return {start, end};
}

std::string CutRanges(const std::string& text, std::vector<std::pair<size_t, size_t>> ranges) {
  std::sort(ranges.begin(), ranges.end());
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (const auto& [start, end] : ranges) {
    if (start > pos) out.append(text, pos, start - pos);
    pos = std::max(pos, end);
  }
  if (pos < text.size()) out.append(text, pos, std::string::npos);
  return out;
}
