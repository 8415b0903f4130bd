#include "ui/access_keys.h"

#include <cstdint>

namespace {
constexpr int kKeyCount = 36;  // 0-9, A-Z
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
std::vector<int> CheapestAssignment(const std::vector<std::vector<int64_t>>& cost, int rows, int columns) {
  std::vector<int64_t> u(static_cast<size_t>(rows) + 1), v(static_cast<size_t>(columns) + 1);
  std::vector<int> row_of(static_cast<size_t>(columns) + 1), way(static_cast<size_t>(columns) + 1);
  for (int r = 1; r <= rows; ++r) {
    row_of[0] = r;
    int column = 0;
    std::vector<int64_t> least(static_cast<size_t>(columns) + 1, INT64_MAX);
    std::vector<bool> used(static_cast<size_t>(columns) + 1, false);
    do {
      used[static_cast<size_t>(column)] = true;
      const int row = row_of[static_cast<size_t>(column)];
      int64_t delta = INT64_MAX;
      int next = 0;
      for (int c = 1; c <= columns; ++c) {
        if (used[static_cast<size_t>(c)]) continue;
        const int64_t reduced = cost[static_cast<size_t>(row)][static_cast<size_t>(c)] - u[static_cast<size_t>(row)] -
                                v[static_cast<size_t>(c)];
        if (reduced < least[static_cast<size_t>(c)]) least[static_cast<size_t>(c)] = reduced, way[static_cast<size_t>(c)] = column;
        if (least[static_cast<size_t>(c)] < delta) delta = least[static_cast<size_t>(c)], next = c;
      }
      for (int c = 0; c <= columns; ++c) {
        if (used[static_cast<size_t>(c)]) {
          u[static_cast<size_t>(row_of[static_cast<size_t>(c)])] += delta;
          v[static_cast<size_t>(c)] -= delta;
        } else {
          least[static_cast<size_t>(c)] -= delta;
        }
      }
      column = next;
    } while (row_of[static_cast<size_t>(column)] != 0);
    do {
      const int previous = way[static_cast<size_t>(column)];
      row_of[static_cast<size_t>(column)] = row_of[static_cast<size_t>(previous)];
      column = previous;
    } while (column != 0);
  }
  return row_of;
}
}  // namespace

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts, std::string_view reserved) {
  // Columns: the keys, then one "no key" place per text.
  const int n = static_cast<int>(texts.size()), columns = kKeyCount + n;
  std::vector<std::vector<int64_t>> cost(static_cast<size_t>(n) + 1,
                                         std::vector<int64_t>(static_cast<size_t>(columns) + 1, kImpossible));
  std::vector<std::vector<std::pair<int, size_t>>> candidates;
  for (int t = 0; t < n; ++t) {
    candidates.push_back(CandidatesOf(texts[static_cast<size_t>(t)], reserved));
    std::vector<int64_t>& row = cost[static_cast<size_t>(t) + 1];
    for (size_t rank = 0; rank < candidates.back().size(); ++rank)
      row[static_cast<size_t>(candidates.back()[rank].first) + 1] = static_cast<int64_t>(rank) * (n - t);
    for (int c = kKeyCount + 1; c <= columns; ++c) row[static_cast<size_t>(c)] = kNoKey + kNoKeyPerPlace * (n - t);
  }
  const std::vector<int> row_of = CheapestAssignment(cost, n, columns);

  std::vector<size_t> key_at(texts.size(), std::string::npos);
  for (int key = 0; key < kKeyCount; ++key) {
    const int t = row_of[static_cast<size_t>(key) + 1] - 1;
    if (t < 0) continue;
    for (const auto& c : candidates[static_cast<size_t>(t)])
      if (c.first == key) key_at[static_cast<size_t>(t)] = c.second;
  }
  std::vector<std::string> out;
  for (size_t t = 0; t < texts.size(); ++t) {
    std::string marked;
    for (size_t i = 0; i < texts[t].size(); ++i) {
      if (i == key_at[t] || texts[t][i] == '&') marked += '&';
      marked += texts[t][i];
    }
    out.push_back(std::move(marked));
  }
  return out;
}
