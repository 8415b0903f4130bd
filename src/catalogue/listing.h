// What the installed MAME calls each game of the table, and whether it knows
// the set at all. MAME is asked once with -listfull; the answer is kept in
// korvo-listing-cache.cfg for as long as the same mame.exe is in place.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/text_buffer.h"
#include "catalogue/game_table.h"

// Set name (exact bytes) -> MAME's description. Only table sets are entered.
using MameListing = std::unordered_map<std::string, std::string>;
using TableSets = std::unordered_set<std::string_view>;

// The table's set names, for looking listing lines up.
const TableSets& GameTableSets();

// How a worker thread reaches MAME. The catalogue sits below the launch
// module, so the caller hands in the captured run; program and folder are
// located on the main thread beforehand, because the settings they come from
// belong to that thread.
using CapturedRunFn = int (*)(const std::string& program, const std::string& working_folder,
                              const std::string& arguments, TextBuffer& output, uint32_t time_limit_ms,
                              int32_t* exit_code);
struct MameAsker {
  bool found = false;
  std::string program;  // where mame.exe is (or would be)
  std::string folder;   // MAME's folder, where it runs
  CapturedRunFn run = nullptr;
};

// Names one mame.exe build: its path, "|size|time-high|time-low" and `tag`;
// empty when the program's attributes cannot be read.
std::string MameBuildKey(const MameAsker& mame, std::string_view tag);
// The path followed by "|size|time-high|time-low|rows|1.0.0".
std::string ListingKey(const MameAsker& mame);

// The cache file's entries when its first line carries `key`; false for a
// cache of another mame.exe, a damaged first line or one without entries.
bool ParseListingCache(std::string_view text, std::string_view key, MameListing& listing);
TextBuffer FormatListingCache(std::string_view key, const MameListing& listing);

// Reads a -listfull answer into `listing` (table sets only) and returns the
// number of lines it had.
size_t ParseListfull(std::string_view output, const TableSets& sets, MameListing& listing);
// A -listfull answer with fewer lines is not taken as MAME's.
constexpr size_t kMinimumListingLines = 101;

// Replaces titles with MAME's descriptions and marks the sets MAME does not list.
void MarkGameList(GameList& list, const MameListing& listing);

std::string ListingCachePath();  // korvo-listing-cache.cfg in the launcher folder

// The cached or freshly asked listing applied to `list`; `force` skips the
// cache. When MAME cannot be asked the list keeps its built-in titles.
void LoadMameListing(GameList& list, bool force, const MameAsker& mame);

constexpr uint32_t kListingTimeLimitMs = 60000;
