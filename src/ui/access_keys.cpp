#include "ui/access_keys.h"

#include <cstdint>

namespace {
constexpr size_t kKeyCount = 36;  // 0-9, A-Z
// Costs of the assignment, each far above the next: a key a text does not
// hold (never given); a text without a key (the earlier the text, the
// dearer, so later ones go without first); a key further down a text's
// list of wanted ones (dearer for earlier texts).
constexpr int64_t kImpossible = 1'000'000'000'000'000;
constexpr int64_t kNoKey = 1'000'000'000'000;
constexpr int64_t kNoKeyPerPlace = 1'000'000;

int KeyIndex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return 10 + c - 'A';
  if (c >= 'a' && c <= 'z') return 10 + c - 'a';
  return -1;
}

// Where in the text each key would be marked, most wanted first: the first
// characters of its words, then its other characters, in reading order.
std::vector<std::pair<int, size_t>> CandidatesOf(const std::string& text, std::string_view reserved) {
  std::vector<std::pair<int, size_t>> out;  // key index, byte position
  for (bool word_starts : {true, false}) {
    for (size_t i = 0; i < text.size(); ++i) {
      const int key = KeyIndex(text[i]);
      const bool starts = i == 0 || KeyIndex(text[i - 1]) < 0;
      if (key < 0 || starts != word_starts) continue;
      const char upper = key < 10 ? static_cast<char>('0' + key) : static_cast<char>('A' + key - 10);
      bool known = reserved.find(upper) != std::string_view::npos;
      for (const auto& c : out) known |= c.first == key;
      if (!known) out.push_back({key, i});
    }
  }
  return out;
}

// The cheapest way to give each row its own column (rows <= columns), by the
// Hungarian method; cost[r][c] with rows and columns counted from 1. Returns
// the row of each column (0: none).
std::vector<size_t> CheapestAssignment(const std::vector<std::vector<int64_t>>& cost, size_t rows, size_t columns) {
  std::vector<int64_t> u(rows + 1), v(columns + 1);
  std::vector<size_t> row_of(columns + 1), way(columns + 1);
  for (size_t r = 1; r <= rows; ++r) {
    row_of[0] = r;
    size_t column = 0;
    std::vector<int64_t> least(columns + 1, INT64_MAX);
    std::vector<bool> used(columns + 1, false);
    do {
      used[column] = true;
      const size_t row = row_of[column];
      int64_t delta = INT64_MAX;
      size_t next = 0;
      for (size_t c = 1; c <= columns; ++c) {
        if (used[c]) continue;
        const int64_t reduced = cost[row][c] - u[row] - v[c];
        if (reduced < least[c]) least[c] = reduced, way[c] = column;
        if (least[c] < delta) delta = least[c], next = c;
      }
      for (size_t c = 0; c <= columns; ++c) {
        if (used[c]) {
          u[row_of[c]] += delta;
          v[c] -= delta;
        } else {
          least[c] -= delta;
        }
      }
      column = next;
    } while (row_of[column] != 0);
    do {
      const size_t previous = way[column];
      row_of[column] = row_of[previous];
      column = previous;
    } while (column != 0);
  }
  return row_of;
}
}  // namespace

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts, std::string_view reserved) {
  // Columns: the keys, then one "no key" place per text.
  const size_t n = texts.size(), columns = kKeyCount + n;
  std::vector<std::vector<int64_t>> cost(n + 1, std::vector<int64_t>(columns + 1, kImpossible));
  std::vector<std::vector<std::pair<int, size_t>>> candidates;
  for (size_t t = 0; t < n; ++t) {
    candidates.push_back(CandidatesOf(texts[t], reserved));
    const auto later = static_cast<int64_t>(n - t);
    for (size_t rank = 0; rank < candidates[t].size(); ++rank)
      cost[t + 1][static_cast<size_t>(candidates[t][rank].first) + 1] = static_cast<int64_t>(rank) * later;
    for (size_t c = kKeyCount + 1; c <= columns; ++c) cost[t + 1][c] = kNoKey + kNoKeyPerPlace * later;
  }
  const std::vector<size_t> row_of = CheapestAssignment(cost, n, columns);

  std::vector<std::string> out;
  for (size_t t = 0; t < n; ++t) {
    size_t key_at = std::string::npos;
    for (const auto& [key, at] : candidates[t])
      if (row_of[static_cast<size_t>(key) + 1] == t + 1) key_at = at;
    std::string marked;
    for (size_t i = 0; i < texts[t].size(); ++i) {
      if (i == key_at || texts[t][i] == '&') marked += '&';
      marked += texts[t][i];
    }
    out.push_back(std::move(marked));
  }
  return out;
}
