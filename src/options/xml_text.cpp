#include "options/xml_text.h"

std::string ReadXmlAttribute(std::string_view tag, std::string_view name) {
  std::string key = " ";
  key += name;
  key += "=\"";
  // A blank before the name keeps "value" from matching inside "defvalue".
  size_t at = tag.find(key);
  if (at == std::string_view::npos) return std::string();
  size_t start = at + key.size();
  size_t end = tag.find('"', start);
  if (end == std::string_view::npos) return std::string();
  return DecodeXmlEntities(tag.substr(start, end - start));
}

std::string DecodeXmlEntities(std::string_view text) {
  static constexpr struct {
    std::string_view entity;
    char character;
  } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    bool decoded = false;
    if (text[i] == '&') {
      for (const auto& e : kEntities) {
        if (text.substr(i, e.entity.size()) == e.entity) {
          out += e.character;
          i += e.entity.size();
          decoded = true;
          break;
        }
      }
    }
    if (!decoded) out += text[i++];
  }
  return out;
}

std::string EscapeXmlAttribute(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

bool ReadDecimalU32(std::string_view text, uint32_t& out) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return false;
  out = static_cast<uint32_t>(value);
  return true;
}
