// Which options the installed MAME has. MAME builds of different years add,
// rename and drop options, and MAME refuses to start at all when it meets one
// it does not know; its -showusage answer lists every option it has, so the
// launcher can leave out what this MAME lacks. Like the listing, the answer is
// asked once per mame.exe build (in the background) and kept in
// korvo-options-cache.cfg.
#pragma once
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/text_buffer.h"
#include "catalogue/listing.h"

// MAME prints "-name" padded to 20 columns after the hyphen, then the
// description; a name of 20 characters or more runs straight into its
// description, so such a line only tells how its name begins.
struct MameUsage {
  std::unordered_set<std::string> names;  // without the hyphen
  std::vector<std::string> run_on;        // name and description run together, without the hyphen
  bool Known() const { return !names.empty() || !run_on.empty(); }
};

// Reads the lines that begin with "-"; returns how many there were.
size_t ParseShowusage(std::string_view text, MameUsage& usage);
// Fewer option lines than this is not MAME's list (an error text, another program).
constexpr size_t kMinimumUsageOptions = 50;

// Whether MAME has the option (name without the hyphen). A usage that is not
// known has every option: when MAME could not be asked nothing is left out.
bool HasMameOption(const MameUsage& usage, std::string_view name);
// The same for a command-line argument "-name"; "-noname" counts when MAME
// has "name" (MAME's form of switching an on/off option off).
bool HasMameArgument(const MameUsage& usage, std::string_view argument);
// An argument that names an option: a hyphen and a letter ("-8" is a value).
bool IsOptionArgument(std::string_view argument);

// The cache: "key=" and the key, then one "-name" per line as MAME printed it.
std::string UsageKey(const MameAsker& mame);
bool ParseUsageCache(std::string_view text, std::string_view key, MameUsage& usage);
TextBuffer FormatUsageCache(std::string_view key, const MameUsage& usage);
std::string UsageCachePath();  // korvo-options-cache.cfg in the launcher folder

// Asks MAME -showusage unless the cache holds this mame.exe's answer (`force`
// asks again) and keeps a usable answer in the cache. Any thread.
void LoadMameUsage(bool force, const MameAsker& mame);
// This mame.exe's options from the cache; not known when it was never asked.
MameUsage CachedMameUsage(const MameAsker& mame);

constexpr uint32_t kUsageTimeLimitMs = 30000;
