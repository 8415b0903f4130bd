#include "options/option_words.h"

std::vector<std::string> SplitArgumentText(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  const size_t n = text.size();
  while (true) {
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= n) break;
    std::string word;
    // quotes counts the quotes of the current group the way the system does:
    // odd means inside a group, and a third quote in a row gives a literal one.
    int quotes = 0;
    size_t backslashes = 0;
    while (i < n) {
      char c = text[i];
      if ((c == ' ' || c == '\t') && quotes == 0) break;
      if (c == '\\') {
        word += c;
        ++backslashes;
        ++i;
        continue;
      }
      if (c == '"') {
        if (backslashes % 2 == 0) {
          word.resize(word.size() - backslashes / 2);
          ++quotes;
        } else {
          word.resize(word.size() - backslashes / 2 - 1);
          word += '"';
        }
        backslashes = 0;
        ++i;
        while (i < n && text[i] == '"') {
          if (++quotes == 3) {
            word += '"';
            quotes = 0;
          }
          ++i;
        }
        if (quotes == 2) quotes = 0;
        continue;
      }
      word += c;
      backslashes = 0;
      ++i;
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string QuoteArgument(std::string_view text) {
  if (!text.empty() && text.find_first_of(" \t\"") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(2 * backslashes + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  out += '"';
  return out;
}
