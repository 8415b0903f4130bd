#include "controls/cfg_elements.h"

#include <algorithm>

PortElement FindPortElement(const std::string& text, std::string_view type, size_t from) {
  PortElement el;
  std::string needle = "<port type=\"";
  needle += type;
  needle += '"';
  size_t match = text.find(needle, from);
  if (match == std::string::npos) return el;
  size_t tag_end = text.find('>', match + needle.size());
  // Without any '>' later no element of this type can be whole; saying
  // "none" keeps callers that skip broken tags from rescanning the rest.
  if (tag_end == std::string::npos) return PortElement{};
  el.found = true;
  el.match = match;
  if (text[tag_end - 1] == '/') {
    el.closed = true;
    el.end = tag_end + 1;
    return el;
  }
  // The end tag must come before the next port opens; searching only that
  // far keeps a file full of broken tags linear.
  size_t next_open = text.find("<port", tag_end);
  size_t limit = next_open == std::string::npos ? text.size() : next_open;
  size_t close = std::string_view(text).substr(tag_end, limit - tag_end).find("</port>");
  if (close == std::string_view::npos) return el;
  el.closed = true;
  el.end = tag_end + close + 7;
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
