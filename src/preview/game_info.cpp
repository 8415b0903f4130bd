#include "preview/game_info.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/file_tail.h"
#include "base/paths.h"
#include "base/text_case.h"
#include "romcheck/mapped_file.h"

const InfoSource kInfoSources[kInfoSourceCount] = {
    {"history.xml", "History", true, false},     {"mameinfo.dat", "Mameinfo", false, false},
    {"command.dat", "Command", false, true},     {"gameinit.dat", "Gameinit", false, false},
    {"story.dat", "Mamescore", false, false},
};

namespace {
constexpr size_t kLongestText = 1u << 20;  // more than any entry; a broken file's range stops here

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The element's name ends at a blank, '/' or the end of the tag.
bool IsElement(std::string_view tag, std::string_view name) {
  if (!StartsWith(tag, name)) return false;
  return tag.size() == name.size() || tag[name.size()] == ' ' || tag[name.size()] == '/' ||
         tag[name.size()] == '\t' || tag[name.size()] == '\r' || tag[name.size()] == '\n';
}

void Add(InfoIndex& index, const std::vector<std::string>& sets, size_t from, size_t to) {
  TextRange range{from, static_cast<uint32_t>(std::min(to - from, kLongestText))};
  for (const std::string& set : sets) index.ranges[set].push_back(range);
}

void Damaged(InfoIndex& index, size_t at) {
  if (index.damaged) return;
  index.damaged = true;
  index.damaged_at = at;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// "&amp;" and the rest of XML's five, and "&#233;" / "&#xE9;"; anything else stays.
size_t DecodeReference(std::string_view text, size_t at, std::string& out) {
  size_t end = text.find(';', at);
  if (end == std::string_view::npos || end - at > 10) return 0;
  std::string_view name = text.substr(at + 1, end - at - 1);
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [entity, c] : kNamed)
    if (name == entity) {
      out += c;
      return end + 1 - at;
    }
  if (name.size() < 2 || name[0] != '#') return 0;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  uint32_t code = 0;
  for (char c : name.substr(hex ? 2 : 1)) {
    int digit = c >= '0' && c <= '9' ? c - '0' : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : hex && c >= 'A' && c <= 'F'                    ? c - 'A' + 10
                                                                 : -1;
    if (digit < 0 || code > 0x10FFFF) return 0;
    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
  }
  AppendUtf8(out, code);
  return end + 1 - at;
}

// Without CRs and without blank lines and blanks at either end.
std::string Tidy(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  size_t first = text.find_first_not_of(" \t\n");
  if (first == std::string::npos) return "";
  size_t line = text.rfind('\n', first);
  text.erase(0, line == std::string::npos ? 0 : line + 1);  // the first line keeps its indent
  text.erase(text.find_last_not_of(" \t\n") + 1);
  return text;
}

struct Symbol {
  std::string_view code, text;
};
// The codes of command.dat's buttons, directions and moves.
constexpr Symbol kSymbols[] = {
    {"_1", "\xE2\x86\x99"}, {"_2", "\xE2\x86\x93"}, {"_3", "\xE2\x86\x98"}, {"_4", "\xE2\x86\x90"},
    {"_5", "\xE2\x97\x8F"}, {"_6", "\xE2\x86\x92"}, {"_7", "\xE2\x86\x96"}, {"_8", "\xE2\x86\x91"},
    {"_9", "\xE2\x86\x97"}, {"_N", "N"},            {"_+", "+"},            {"_.", "\xE2\x80\xA6"},
    {"_!", "\xE2\x96\xB8"}, {"_S", "(Start)"},     {"_P", "(P)"},          {"_K", "(K)"},
    {"_G", "(Guard)"},      {"_a", "(1)"},          {"_b", "(2)"},          {"_c", "(3)"},
    {"_d", "(4)"},          {"_e", "(5)"},          {"_f", "(6)"},          {"_g", "(7)"},
    {"_h", "(8)"},          {"_i", "(9)"},          {"_j", "(10)"},         {"^E", "LP"},
    {"^F", "MP"},           {"^G", "HP"},           {"^H", "LK"},           {"^I", "MK"},
    {"^J", "HK"},           {"^T", "3K"},           {"^U", "3P"},           {"^V", "2K"},
    {"^W", "2P"},           {"^s", "(S)"},          {"^*", "(tap)"},
};
}  // namespace

InfoIndex IndexHistoryXml(std::string_view x) {
  InfoIndex index;
  std::vector<std::string> systems;
  bool in_entry = false;
  size_t entry_at = 0;
  for (size_t pos = x.find('<'); pos != std::string_view::npos; pos = x.find('<', pos)) {
    size_t close = x.find('>', pos + 1);
    if (close == std::string_view::npos) {
      Damaged(index, pos);
      break;
    }
    std::string_view tag = x.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    if (IsElement(tag, "entry")) {
      if (in_entry) Damaged(index, entry_at);  // the one before never ended
      in_entry = true;
      entry_at = pos;
      systems.clear();
    } else if (IsElement(tag, "/entry")) {
      in_entry = false;
    } else if (in_entry && IsElement(tag, "system")) {
      size_t name = tag.find("name=\"");
      size_t end = name == std::string_view::npos ? name : tag.find('"', name + 6);
      if (end != std::string_view::npos) systems.push_back(LowerCaseText(tag.substr(name + 6, end - name - 6)));
    } else if (in_entry && IsElement(tag, "text")) {
      size_t end = x.find("</text>", pos);
      Add(index, systems, pos, end == std::string_view::npos ? x.size() : end);
      if (end == std::string_view::npos) {
        Damaged(index, pos);
        in_entry = false;
        break;
      }
      pos = end + 7;
    }
  }
  if (in_entry) Damaged(index, entry_at);
  return index;
}

InfoIndex IndexDatFile(std::string_view d) {
  InfoIndex index;
  std::vector<std::string> sets;
  size_t block = std::string_view::npos, info_at = 0;
  for (size_t start = 0; start < d.size();) {
    size_t end = std::min(d.find('\n', start), d.size());
    std::string_view line = d.substr(start, end - start);
    const size_t line_start = start;
    start = end + 1;
    if (line.empty() || line[0] != '$') continue;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (StartsWith(line, "$info=")) {
      if (block != std::string_view::npos) {
        Damaged(index, info_at);  // its $end is missing: the text runs to here
        Add(index, sets, block, line_start);
      }
      block = std::string_view::npos;
      info_at = line_start;
      sets.clear();
      std::string_view names = line.substr(6);
      for (size_t from = 0; from <= names.size();) {
        size_t comma = std::min(names.find(',', from), names.size());
        std::string name = LowerCaseText(names.substr(from, comma - from));
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        if (!name.empty()) sets.push_back(name);
        from = comma + 1;
      }
    } else if (line == "$end") {
      if (block != std::string_view::npos) Add(index, sets, block, line_start);
      block = std::string_view::npos;
    } else if (block == std::string_view::npos && !sets.empty()) {
      block = std::min(start, d.size());  // "$mame", "$cmd", "$story": the text follows
    }
  }
  if (block != std::string_view::npos) {
    Damaged(index, info_at);
    Add(index, sets, block, d.size());
  }
  return index;
}

std::string HistoryEntryText(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size();) {
    size_t used = raw[i] == '&' ? DecodeReference(raw, i, out) : 0;
    if (used == 0) out += raw[i++];
    i += used;
  }
  return Tidy(std::move(out));
}

std::string CommandSymbolsAsText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (size_t i = 0; i < text.size();) {
    const Symbol* hit = nullptr;
    if ((text[i] == '_' || text[i] == '^') && i + 1 < text.size())
      for (const Symbol& s : kSymbols)
        if (text.substr(i, 2) == s.code) hit = &s;
    if (hit) {
      out += hit->text;
      i += 2;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string DatEntryText(std::string_view raw, bool command) {
  return Tidy(command ? CommandSymbolsAsText(raw) : std::string(raw));
}

const InfoIndex* GameInfoLibrary::IndexOf(const std::string& path, const InfoSource& source,
                                          std::vector<std::string>& log_lines) {
  Indexed& kept = files_[path];
  if (kept.round == round_) return kept.present ? &kept.index : nullptr;
  kept.round = round_;
  FileStamp stamp;
  if (!ReadFileStamp(path, stamp) || IsFolder(path)) {
    kept = {{}, {}, false, round_};
    return nullptr;
  }
  if (kept.present && kept.stamp.size == stamp.size && kept.stamp.write_time == stamp.write_time) return &kept.index;
  MappedFile file;
  kept.present = MapFileForReading(path, file);
  if (!kept.present) return nullptr;
  std::string_view bytes(reinterpret_cast<const char*>(file.data), file.size);
  Indexed& made = kept;
  made = {stamp, source.xml ? IndexHistoryXml(bytes) : IndexDatFile(bytes), true, round_};
  UnmapFile(file);
  if (made.index.damaged)
    log_lines.push_back("Game info: " + std::string(source.file) + " is damaged or cut short at byte " +
                        std::to_string(made.index.damaged_at) + "; what comes before it is used: " + path);
  return &made.index;
}

std::vector<InfoTab> GameInfoLibrary::Texts(const std::vector<std::string>& folders,
                                            const std::vector<std::string>& family,
                                            std::vector<std::string>& log_lines) {
  std::vector<InfoTab> tabs;
  for (const InfoSource& source : kInfoSources) {
    const InfoIndex* index = nullptr;
    std::string path;
    for (const std::string& folder : folders) {
      path = JoinPath(folder, source.file);
      if ((index = IndexOf(path, source, log_lines)) != nullptr) break;
    }
    if (!index) continue;
    for (const std::string& set : family) {
      auto found = index->ranges.find(LowerCaseText(set));
      if (found == index->ranges.end()) continue;
      std::string text;
      for (const TextRange& range : found->second) {
        std::optional<std::string> raw = ReadFileRange(path, range.offset, range.length);
        std::string part = !raw ? "" : source.xml ? HistoryEntryText(*raw) : DatEntryText(*raw, source.command);
        if (!part.empty()) text += (text.empty() ? "" : "\n\n") + part;
      }
      if (!text.empty()) {
        tabs.push_back({source.tab, std::move(text)});
        break;
      }
    }
  }
  return tabs;
}
