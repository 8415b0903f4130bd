#include "catalogue/game_table.h"

#include <cctype>
#include <unordered_map>

#include "base/text_case.h"
#include "base/text_util.h"

const GameTableRow* GameTableRowBySet(std::string_view set) {
  for (const GameTableRow& row : GameTable)
    if (EqualsNoCase(row.set, set)) return &row;
  return nullptr;
}

namespace {
void AppendInfo(std::string& info, std::string_view note) {
  if (!info.empty()) info += ", ";
  info += note;
}
}  // namespace

GameList BuildGameList() {
  GameList list(kGameCount);
  for (int i = 0; i < kGameCount; ++i) {
    const GameTableRow& row = GameTable[i];
    GameEntry& e = list[i];
    e.number = row.number;
    e.title = row.title;
    e.set = row.set;
    e.parent = row.parent;
    e.bios = row.bios;
    e.board = row.board;
    e.maker = row.maker;
    e.year = row.year;
    e.flags = static_cast<uint8_t>(row.flags & kGameNotWorking);
    RebuildInfoText(e);
  }
  return list;
}

void MarkNotInMame(GameEntry& entry) {
  entry.flags |= kGameNotInMame;
  RebuildInfoText(entry);
}

void RebuildInfoText(GameEntry& entry) {
  entry.info = entry.parent.empty() ? "" : "clone of " + entry.parent;
  if (entry.flags & kGameNotWorking) AppendInfo(entry.info, "not working in MAME");
  if (entry.flags & kGameNotInMame) AppendInfo(entry.info, "not in this MAME");
}

void ApplyPlayStats(GameList& list, const PlayStats& stats) {
  for (GameEntry& entry : list) {
    auto found = stats.find(entry.number);
    entry.played = found == stats.end() ? PlayRecord{} : found->second;
  }
}

std::string_view BoardOf(const GameEntry& entry) { return entry.board ? entry.board : ""; }
std::string_view MakerTextOf(const GameEntry& entry) { return entry.maker ? entry.maker : ""; }
int32_t YearOf(const GameEntry& entry) { return entry.year; }

const GameEntry* FindGameBySet(const GameList& list, std::string_view name) {
  for (const GameEntry& e : list)
    if (EqualsNoCase(e.set, name)) return &e;
  return nullptr;
}

const GameEntry* FindGameByNumber(const GameList& list, int32_t number) {
  int i = FindGameIndexByNumber(list, number);
  return i < 0 ? nullptr : &list[i];
}

int FindGameIndexByNumber(const GameList& list, int32_t number) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].number == number) return static_cast<int>(i);
  return -1;
}

namespace {
// The short title is built in a buffer of this many UTF-16 units (NUL included).
constexpr size_t kShortTitleSize = 400;
constexpr size_t kGroupWordMax = 78;

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Cuts a trailing version mark ("Ver.B", "VER 2", "Version3") off a text:
// a run of blanks, "ver" in any case, an optional dot, optional blanks and a
// last word that reaches the end. A "ver" followed by more words stays.
std::string VersionCut(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsBlank(text[i]) || (i > 0 && IsBlank(text[i - 1]))) continue;
    size_t j = i;
    while (j < text.size() && IsBlank(text[j])) ++j;
    if (!StartsWithNoCase(text.substr(j), "ver")) continue;
    size_t k = j + 3;
    if (k < text.size() && text[k] == '.') ++k;
    while (k < text.size() && IsBlank(text[k])) ++k;
    bool last_word = true;
    for (size_t m = k; m < text.size(); ++m)
      if (IsBlank(text[m])) last_word = false;
    if (last_word) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

std::string CollapseBlanks(std::string_view text) {
  std::string out;
  bool in_blank = false;
  for (char c : text) {
    if (IsBlank(c)) {
      if (!in_blank) out += ' ';
      in_blank = true;
    } else {
      out += c;
      in_blank = false;
    }
  }
  return out;
}
}  // namespace

std::string ShortTitle(std::string_view title, bool keep_version) {
  for (size_t open = title.find('('); open != std::string_view::npos; open = title.find('(', open + 1)) {
    size_t b = open + 1;
    while (b < title.size() && IsBlank(title[b])) ++b;
    size_t e = b;
    while (e < title.size() && !IsBlank(title[e]) && title[e] != ')') ++e;
    if (e == b || title.find(')', e) == std::string_view::npos) continue;
    std::string word = CutToUtf16Units(title.substr(b, e - b), kGroupWordMax);
    std::string prefix = Trim(title.substr(0, open));
    if (!keep_version) prefix = VersionCut(prefix);
    // A title that starts with its bracket group would otherwise begin with a blank.
    std::string result = Trim(CollapseBlanks(prefix + " (" + word + ")"));
    return CutToUtf16Units(result, kShortTitleSize - 1);
  }
  std::string result = Trim(CutToUtf16Units(title, kShortTitleSize - 1));
  if (!keep_version) result = Trim(VersionCut(result));
  return result;
}

namespace {
// How many games share each short title, keyed by its lower-case form.
struct ShortTitleCounts {
  std::unordered_map<std::string, int> plain, versioned;
  void Add(const GameEntry& e, int delta) {
    plain[LowerCaseText(ShortTitle(e.title, false))] += delta;
    versioned[LowerCaseText(ShortTitle(e.title, true))] += delta;
  }
  bool Taken(const std::unordered_map<std::string, int>& counts, const std::string& title) const {
    auto it = counts.find(LowerCaseText(title));
    return it != counts.end() && it->second > 0;
  }
};

// `others` counts every game of the list but this one.
std::string PickShortcutTitle(const ShortTitleCounts& others, const GameEntry& entry) {
  std::string s = ShortTitle(entry.title, false);
  if (!others.Taken(others.plain, s)) return s;
  std::string t = ShortTitle(entry.title, true);
  // Revisions that share their version text too ("Tekken 2 Ver.B (World,)")
  // would get one shortcut file between them, each replacing the other's.
  if (LowerCaseText(t) == LowerCaseText(s) || others.Taken(others.versioned, t)) return Trim(entry.title);
  return t;
}
}  // namespace

std::string ShortcutTitle(const GameList& list, const GameEntry& entry) {
  ShortTitleCounts others;
  for (const GameEntry& e : list)
    if (e.number != entry.number) others.Add(e, 1);
  return PickShortcutTitle(others, entry);
}

std::vector<std::string> ShortcutTitles(const GameList& list) {
  ShortTitleCounts counts;
  for (const GameEntry& e : list) counts.Add(e, 1);
  std::vector<std::string> titles;
  titles.reserve(list.size());
  for (const GameEntry& e : list) {
    counts.Add(e, -1);
    titles.push_back(PickShortcutTitle(counts, e));
    counts.Add(e, 1);
  }
  return titles;
}
