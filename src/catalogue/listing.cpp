#include "catalogue/listing.h"

#include <cstdio>

#include "base/file_stamp.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_lines.h"

namespace {
// Descriptions end up in titles and in the one-line-per-set cache: control
// characters would break either, and broken UTF-8 would show as garbage.
std::string CleanDescription(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += (c < 0x20 || c == 0x7f) ? ' ' : static_cast<char>(c);
      ++i;
      continue;
    }
    size_t len = c >= 0xf0 && c <= 0xf4 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 && c < 0xe0 ? 2 : 0;
    bool ok = len > 0 && i + len <= text.size() && c < 0xf5;
    for (size_t k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
    if (ok && len == 3) {
      unsigned char c1 = static_cast<unsigned char>(text[i + 1]);
      ok = !(c == 0xe0 && c1 < 0xa0) && !(c == 0xed && c1 >= 0xa0);  // overlong, surrogates
    }
    if (ok && len == 4) {
      unsigned char c1 = static_cast<unsigned char>(text[i + 1]);
      ok = !(c == 0xf0 && c1 < 0x90) && !(c == 0xf4 && c1 >= 0x90);
    }
    if (ok) {
      out.append(text.substr(i, len));
      i += len;
    } else {
      out += '?';
      ++i;
    }
  }
  return out;
}
}  // namespace

const TableSets& GameTableSets() {
  static const TableSets sets = [] {
    TableSets s;
    s.reserve(kGameCount * 2);
    for (const GameTableRow& row : GameTable) s.insert(row.set);
    return s;
  }();
  return sets;
}

std::string MameBuildKey(const MameAsker& mame, std::string_view tag) {
  FileStamp stamp;
  if (!mame.found || !ReadFileStamp(mame.program, stamp)) return {};
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "|%lu|%lu|%lu", static_cast<unsigned long>(stamp.size & 0xffffffffu),
                static_cast<unsigned long>(stamp.write_time >> 32),
                static_cast<unsigned long>(stamp.write_time & 0xffffffffu));
  return mame.program + numbers + std::string(tag);
}

std::string ListingKey(const MameAsker& mame) {
  return MameBuildKey(mame, "|" + std::to_string(kGameCount) + "|1.0.0");
}

bool ParseListingCache(std::string_view text, std::string_view key, MameListing& listing) {
  bool first = true, key_matched = false;
  size_t entries = 0;
  const TableSets& sets = GameTableSets();
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty()) return;
    line = line.substr(0, line.find('\r'));
    if (first) {
      first = false;
      key_matched = line.size() >= 4 && line.substr(0, 4) == "key=" && line.substr(4) == key;
      return;
    }
    if (!key_matched) return;
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return;
    std::string_view name = line.substr(0, tab);
    if (!sets.count(name)) return;  // a hand-edited cache cannot add sets
    listing[std::string(name)] = CleanDescription(line.substr(tab + 1));
    ++entries;
  });
  return key_matched && !key.empty() && entries > 0;
}

TextBuffer FormatListingCache(std::string_view key, const MameListing& listing) {
  TextBuffer out;
  out.reserve(32 + key.size() + listing.size() * 48);
  out += "key=";
  out += key;
  out += "\r\n";
  for (const auto& [name, description] : listing) {
    out += name;
    out += '\t';
    out += description;
    out += "\r\n";
  }
  return out;
}

size_t ParseListfull(std::string_view output, const TableSets& sets, MameListing& listing) {
  size_t lines = 0;
  ForEachLine(output, [&](std::string_view line) {
    if (line.empty()) return;
    ++lines;
    size_t end = line.find_first_of(" \t");
    if (end == std::string_view::npos) return;
    std::string_view name = line.substr(0, end);
    if (!sets.count(name)) return;
    size_t open = line.find('"', end);
    size_t close = line.rfind('"');
    std::string description;
    if (open != std::string_view::npos && close != std::string_view::npos && close >= open + 2)
      description = CleanDescription(line.substr(open + 1, close - open - 1));
    listing[std::string(name)] = std::move(description);
  });
  return lines;
}

void MarkGameList(GameList& list, const MameListing& listing) {
  for (GameEntry& entry : list) {
    auto found = listing.find(entry.set);
    if (found == listing.end()) {
      MarkNotInMame(entry);
    } else if (!found->second.empty()) {
      entry.title = found->second;
    }
  }
}

std::string ListingCachePath() { return JoinPath(LauncherFolder(), "korvo-listing-cache.cfg"); }

void LoadMameListing(GameList& list, bool force, const MameAsker& mame) {
  const std::string key = ListingKey(mame);
  if (key.empty()) return;
  MameListing listing;
  if (!force) {
    if (std::optional<std::string> cache = ReadWholeFile(ListingCachePath());
        cache && ParseListingCache(*cache, key, listing)) {
      MarkGameList(list, listing);
      return;
    }
  }
  listing.clear();
  if (!mame.run) return;
  TextBuffer output;
  if (mame.run(mame.program, mame.folder, "-listfull", output, kListingTimeLimitMs, nullptr) != 0 || output.empty())
    return;
  if (ParseListfull(output, GameTableSets(), listing) < kMinimumListingLines) return;
  // Long output that names none of our sets is not a listing (an error text,
  // another program): marking every game unknown would make all unplayable.
  if (listing.empty()) return;
  WriteFileAtomic(ListingCachePath(), FormatListingCache(key, listing));
  MarkGameList(list, listing);
}
