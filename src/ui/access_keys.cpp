#include "ui/access_keys.h"

#include <array>

namespace {
constexpr int kNoOne = -1;

bool IsKeyCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char KeyOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

struct Candidate {
  size_t at;  // byte position in the text
  char key;
};

// A text's possible keys, most wanted first: the first characters of its
// words, then its other characters, in reading order, each key once.
std::vector<Candidate> CandidatesOf(const std::string& text, std::string_view reserved) {
  std::vector<Candidate> out;
  for (bool word_starts : {true, false}) {
    for (size_t i = 0; i < text.size(); ++i) {
      const char key = KeyOf(text[i]);
      const bool starts = i == 0 || !IsKeyCharacter(text[i - 1]);
      if (!IsKeyCharacter(text[i]) || starts != word_starts || reserved.find(key) != std::string_view::npos) continue;
      bool known = false;
      for (const Candidate& c : out) known |= c.key == key;
      if (!known) out.push_back({i, key});
    }
  }
  return out;
}

struct Matching {
  std::vector<std::vector<Candidate>> candidates;
  std::vector<int> chosen;              // per text: index into its candidates, or kNoOne
  std::array<int, 128> owner{};         // per key: the text holding it, or kNoOne
  std::array<bool, 128> visited{};

  // A key for text t: a free one if it has any, else one taken from a text
  // that can move to another key (an augmenting path).
  bool Place(int t) {
    const std::vector<Candidate>& mine = candidates[static_cast<size_t>(t)];
    for (size_t k = 0; k < mine.size(); ++k)
      if (owner[static_cast<size_t>(mine[k].key)] == kNoOne) return Take(t, k);
    for (size_t k = 0; k < mine.size(); ++k) {
      const auto key = static_cast<size_t>(mine[k].key);
      if (visited[key]) continue;
      visited[key] = true;
      if (Place(owner[key])) return Take(t, k);
    }
    return false;
  }
  bool Take(int t, size_t k) {
    owner[static_cast<size_t>(candidates[static_cast<size_t>(t)][k].key)] = t;
    chosen[static_cast<size_t>(t)] = static_cast<int>(k);
    return true;
  }
};
}  // namespace

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts, std::string_view reserved) {
  Matching m;
  m.owner.fill(kNoOne);
  m.chosen.assign(texts.size(), kNoOne);
  for (const std::string& text : texts) m.candidates.push_back(CandidatesOf(text, reserved));
  for (size_t t = 0; t < texts.size(); ++t) {
    m.visited.fill(false);
    m.Place(static_cast<int>(t));
  }
  std::vector<std::string> out;
  for (size_t t = 0; t < texts.size(); ++t) {
    const size_t key_at = m.chosen[t] == kNoOne ? std::string::npos : m.candidates[t][static_cast<size_t>(m.chosen[t])].at;
    std::string marked;
    for (size_t i = 0; i < texts[t].size(); ++i) {
      if (i == key_at || texts[t][i] == '&') marked += '&';
      marked += texts[t][i];
    }
    out.push_back(std::move(marked));
  }
  return out;
}
