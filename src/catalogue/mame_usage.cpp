#include "catalogue/mame_usage.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_lines.h"

namespace {
// Names of this length or longer leave no blank before the description.
constexpr size_t kNameColumn = 20;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}
}  // namespace

size_t ParseShowusage(std::string_view text, MameUsage& usage) {
  size_t lines = 0;
  ForEachLine(text, [&](std::string_view line) {
    if (line.size() < 2 || line[0] != '-') return;
    std::string_view name = line.substr(1, line.find_first_of(" \t\r", 1) - 1);
    if (name.empty()) return;
    ++lines;
    if (name.size() >= kNameColumn)
      usage.run_on.emplace_back(name);
    else
      usage.names.emplace(name);
  });
  return lines;
}

bool HasMameOption(const MameUsage& usage, std::string_view name) {
  if (!usage.Known()) return true;
  if (usage.names.count(std::string(name))) return true;
  if (name.size() < kNameColumn) return false;
  for (const std::string& head : usage.run_on)
    if (StartsWith(head, name)) return true;
  return false;
}

bool IsOptionArgument(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  char c = argument[1];
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool HasMameArgument(const MameUsage& usage, std::string_view argument) {
  std::string_view name = argument.substr(1);
  return HasMameOption(usage, name) || (StartsWith(name, "no") && name.size() > 2 && HasMameOption(usage, name.substr(2)));
}

std::string UsageKey(const MameAsker& mame) { return MameBuildKey(mame, "|showusage|1"); }

bool ParseUsageCache(std::string_view text, std::string_view key, MameUsage& usage) {
  size_t first_end = text.find('\n');
  std::string_view first = text.substr(0, first_end);
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  if (key.empty() || !StartsWith(first, "key=") || first.substr(4) != key) return false;
  if (first_end == std::string_view::npos) return false;
  usage = MameUsage{};
  ParseShowusage(text.substr(first_end + 1), usage);
  return usage.Known();
}

TextBuffer FormatUsageCache(std::string_view key, const MameUsage& usage) {
  TextBuffer out;
  out += "key=";
  out += key;
  out += "\r\n";
  for (const std::string& name : usage.names) out += "-" + name + "\r\n";
  for (const std::string& head : usage.run_on) out += "-" + head + "\r\n";
  return out;
}

std::string UsageCachePath() { return JoinPath(LauncherFolder(), "korvo-options-cache.cfg"); }

MameUsage CachedMameUsage(const MameAsker& mame) {
  MameUsage usage;
  std::optional<std::string> cache = ReadWholeFile(UsageCachePath());
  if (!cache || !ParseUsageCache(*cache, UsageKey(mame), usage)) return MameUsage{};
  return usage;
}

void LoadMameUsage(bool force, const MameAsker& mame) {
  const std::string key = UsageKey(mame);
  if (key.empty() || !mame.run) return;
  if (!force && CachedMameUsage(mame).Known()) return;
  TextBuffer output;
  int32_t code = -1;
  if (mame.run(mame.program, mame.folder, "-showusage", output, kUsageTimeLimitMs, &code) != 0 || code != 0) return;
  MameUsage usage;
  if (ParseShowusage(output, usage) < kMinimumUsageOptions) return;
  WriteFileAtomic(UsageCachePath(), FormatUsageCache(key, usage));
}
