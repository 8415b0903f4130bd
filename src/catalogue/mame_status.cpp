#include "catalogue/mame_status.h"

#include "base/file_system.h"
#include "base/paths.h"

std::string StatusQueryArguments() {
  std::string args = "-listxml";
  for (const GameTableRow& row : GameTable) args += std::string(" ") + row.set;
  return args;
}

bool ParseDriverStatusCache(std::string_view text, std::string_view key, DriverStatuses& statuses) {
  size_t first_end = text.find('\n');
  std::string_view first = text.substr(0, first_end);
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  if (key.empty() || first_end == std::string_view::npos || first.substr(0, 4) != "key=" || first.substr(4) != key)
    return false;
  DriverStatuses read;
  const TableSets& sets = GameTableSets();
  ParseDriverStatuses(text.substr(first_end + 1), read);
  for (auto& [name, status] : read)
    if (sets.count(name)) statuses[name] = status;  // a hand-edited cache cannot add sets
  return !statuses.empty();
}

TextBuffer FormatDriverStatusCache(std::string_view key, const DriverStatuses& statuses) {
  TextBuffer out;
  out += "key=";
  out += key;
  out += "\r\n";
  for (const auto& [name, status] : statuses) {
    out += FormatDriverStatusElement(name, status);
    out += "\r\n";
  }
  return out;
}

std::string DriverStatusCachePath() { return JoinPath(LauncherFolder(), "korvo-status-cache.cfg"); }

DriverStatuses CachedDriverStatuses(const MameAsker& mame) {
  DriverStatuses statuses;
  std::optional<std::string> cache = ReadWholeFile(DriverStatusCachePath());
  if (!cache || !ParseDriverStatusCache(*cache, ListingKey(mame), statuses)) return {};
  return statuses;
}

bool AskDriverStatuses(const MameAsker& mame, DriverStatuses& statuses) {
  const std::string key = ListingKey(mame);
  if (key.empty() || !mame.run) return false;
  TextBuffer output;
  // MAME answers with what it knows and then names a set it does not know
  // (exit code 5): the answer counts, not the code.
  if (mame.run(mame.program, mame.folder, StatusQueryArguments(), output, kStatusTimeLimitMs, nullptr) != 0)
    return false;
  DriverStatuses asked;
  ParseDriverStatuses(output, asked);
  const TableSets& sets = GameTableSets();
  for (auto it = asked.begin(); it != asked.end();) it = sets.count(it->first) ? std::next(it) : asked.erase(it);
  if (asked.size() < kMinimumStatusMachines) return false;
  WriteFileAtomic(DriverStatusCachePath(), FormatDriverStatusCache(key, asked));
  statuses = std::move(asked);
  return true;
}

void ApplyDriverStatuses(GameList& list, const DriverStatuses& statuses) {
  for (GameEntry& entry : list) {
    auto found = statuses.find(entry.set);
    if (found == statuses.end() || !found->second.Known()) continue;
    entry.driver = found->second;
    entry.flags = static_cast<uint8_t>(entry.driver.Works() ? entry.flags & ~kGameNotWorking
                                                            : entry.flags | kGameNotWorking);
    RebuildInfoText(entry);
  }
}

std::string GameStatusText(const GameEntry& entry) {
  if (entry.driver.Known()) return DriverStatusText(entry.driver);
  if (entry.flags & kGameNotInMame) return "Not in this MAME.";
  if (entry.flags & kGameNotWorking) return "Not working (the launcher's own list).";
  return "";
}

std::string NotWorkingNote(const GameEntry& entry) {
  if (!(entry.flags & kGameNotWorking) || (entry.flags & kGameNotInMame)) return "";
  return entry.driver.Known() ? "MAME marks this game as not working (" + DriverStatusText(entry.driver) + ")"
                              : "the launcher's own list marks this game as not working";
}
