#include "controls/sequence_text.h"

std::vector<std::string> SplitAlternatives(std::string_view text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t sep = text.find(" OR ", start);
    std::string_view part = text.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start);
    if (!part.empty()) parts.emplace_back(part);
    if (sep == std::string_view::npos) return parts;
    start = sep + 4;
  }
}

std::string JoinAlternatives(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += " OR ";
    out += part;
  }
  return out;
}

std::string CutBytes(std::string_view text, size_t max) {
  if (text.size() <= max) return std::string(text);
  size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

bool IsSafeSequencePart(std::string_view part) {
  // Markup characters or line breaks would break the XML element MAME reads.
  for (unsigned char c : part)
    if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == '"') return false;
  return true;
}

std::string SafeAlternatives(std::string_view text, size_t max) {
  std::string out;
  for (const std::string& part : SplitAlternatives(text)) {
    if (!IsSafeSequencePart(part) || out.size() + part.size() + (out.empty() ? 0 : 4) > max) continue;
    if (!out.empty()) out += " OR ";
    out += part;
  }
  return out;
}
