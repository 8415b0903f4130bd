#include "controls/cfg_elements.h"

#include <algorithm>

bool HoldsOnlySequences(std::string_view content) {
  // A port holds sequence elements and nothing else; any other tag inside
  // means the file is damaged there, and cutting would take MAME's own
  // structure (an </input>, a </system>) with it.
  for (size_t lt = content.find('<'); lt != std::string_view::npos; lt = content.find('<', lt + 1)) {
    std::string_view rest = content.substr(lt);
    if (rest.substr(0, 7) != "<newseq" && rest.substr(0, 9) != "</newseq>") return false;
  }
  return true;
}

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
  // A '<' before the tag's '>' means the tag itself is cut off; the '>'
  // belongs to whatever follows it.
  if (text.find('<', match + 1) < tag_end) return el;
  if (text[tag_end - 1] == '/') {
    el.closed = true;
    el.end = tag_end + 1;
    return el;
  }
  // The end tag must come before the next port opens; searching only that
  // far keeps a file full of broken tags linear.
  size_t next_open = text.find("<port", tag_end);
  size_t limit = next_open == std::string::npos ? text.size() : next_open;
  std::string_view range = std::string_view(text).substr(tag_end + 1, limit - tag_end - 1);
  size_t close = range.find("</port>");
  if (close == std::string_view::npos || !HoldsOnlySequences(range.substr(0, close))) return el;
  el.closed = true;
  el.end = tag_end + 1 + close + 7;
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
