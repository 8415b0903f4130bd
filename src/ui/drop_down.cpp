#include "ui/drop_down.h"

#include <algorithm>

namespace {
// ASCII letters in either case are one letter; other characters match as they are.
char32_t Folded(char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The first character of a UTF-8 text; 0 for an empty or broken one.
char32_t FirstCharacter(const std::string& text) {
  if (text.empty()) return 0;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || text.size() < length) return 0;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  return c;
}
}  // namespace

int DropDownStep(DropDownKey key, int current, int count, int page) {
  if (count <= 0) return -1;
  page = std::max(1, page);
  int next = current;
  switch (key) {
    case DropDownKey::Up: next = current < 0 ? 0 : current - 1; break;
    case DropDownKey::Down: next = current + 1; break;
    case DropDownKey::Home: next = 0; break;
    case DropDownKey::End: next = count - 1; break;
    case DropDownKey::PageUp: next = current - page; break;
    case DropDownKey::PageDown: next = current + page; break;
  }
  return std::clamp(next, 0, count - 1);
}

int DropDownEntryByLetter(const std::vector<std::string>& entries, int current, char32_t letter) {
  const int count = static_cast<int>(entries.size());
  if (count == 0 || letter == 0) return -1;
  const char32_t wanted = Folded(letter);
  for (int step = 1; step <= count; ++step) {
    const int at = ((current < 0 ? -1 : current) + step) % count;
    if (Folded(FirstCharacter(entries[static_cast<size_t>(at)])) == wanted) return at;
  }
  return -1;
}

DropDownRect DropDownListRect(const DropDownRect& field, int entries, int row_h, int most_rows, int border, int min_w,
                              const DropDownRect& screen) {
  const int rows = std::clamp(entries, 1, std::max(1, most_rows));
  const int wanted = rows * row_h + 2 * border;
  const int below = screen.y + screen.h - (field.y + field.h), above = field.y - screen.y;
  DropDownRect list;
  list.w = std::max(field.w, min_w);
  list.x = std::clamp(field.x, screen.x, std::max(screen.x, screen.x + screen.w - list.w));
  if (wanted <= below || below >= above) {
    list.h = std::max(0, std::min(wanted, below));
    list.y = field.y + field.h;
  } else {
    list.h = std::max(0, std::min(wanted, above));
    list.y = field.y - list.h;
  }
  return list;
}
