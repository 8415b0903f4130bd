#include "base/key_value_text.h"

#include <set>

#include "base/file_system.h"
#include "base/text_util.h"

namespace {
std::vector<std::string> g_unreadable;  // names not said yet
std::set<std::string> g_noted;          // paths noted in this run: each is said once

std::string Utf16ToUtf8Text(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](size_t i) {
    unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? static_cast<uint32_t>(a << 8 | b) : static_cast<uint32_t>(b << 8 | a);
  };
  const size_t end = bytes.size() & ~size_t{1};
  for (size_t i = 0; i < end; i += 2) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 2 < end) {
      uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
        i += 2;
        continue;
      }
    }
    AppendUtf8(u >= 0xD800 && u < 0xE000 ? 0xFFFD : u, out);
  }
  return out;
}

bool StartsWithBytes(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }
}  // namespace

std::string DecodeKeyValueText(std::string_view bytes) {
  std::string text;
  if (StartsWithBytes(bytes, "\xFF\xFE"))
    text = Utf16ToUtf8Text(bytes.substr(2), false);
  else if (StartsWithBytes(bytes, "\xFE\xFF"))
    text = Utf16ToUtf8Text(bytes.substr(2), true);
  else
    text = StartsWithBytes(bytes, "\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
  if (text.find('\r') == std::string::npos) return text;
  // CRLF and a CR alone both end a line.
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines += text[i];
    } else {
      lines += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  return lines;
}

bool HasContentLines(std::string_view bytes) {
  bool content = false;
  ForEachKeyValueLine(bytes, [&](std::string_view line) {
    line = TrimNarrow(line);
    if (!line.empty() && line[0] != '#' && line[0] != ';') content = true;
  });
  return content;
}

bool KeepIfUnreadable(const std::string& path, std::string_view bytes, size_t lines_taken) {
  if (lines_taken > 0 || !HasContentLines(bytes)) return false;
  CopyFileNoReplace(path, path + ".unreadable");
  size_t cut = path.find_last_of("\\/");
  if (g_noted.insert(path).second) g_unreadable.push_back(cut == std::string::npos ? path : path.substr(cut + 1));
  return true;
}

std::vector<std::string> TakeUnreadableNotes() {
  std::vector<std::string> notes;
  notes.swap(g_unreadable);
  return notes;
}
