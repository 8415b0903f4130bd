#include "settings/play_stats.h"

#include <chrono>
#include <ctime>

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "base/paths.h"
#include "base/text_util.h"

namespace {
constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

bool ParseCount(std::string_view text, int64_t& out) {
  text = TrimNarrow(text);
  if (text.empty() || text.size() > 18) return false;
  out = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    out = out * 10 + (c - '0');
  }
  return true;
}
}  // namespace

size_t ParsePlayStats(std::string_view bytes, PlayStats& stats) {
  size_t taken = 0;
  ForEachKeyValueLine(bytes, [&](std::string_view raw) {
    std::string_view line = TrimNarrow(raw);
    size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || line[0] == ';' || eq == std::string_view::npos) return;
    int32_t game = 0;
    std::vector<std::string_view> fields = SplitFields(line.substr(eq + 1), ',');
    int64_t times = 0, seconds = 0, last = 0;
    if (!ParseInt(TrimNarrow(line.substr(0, eq)), game) || game <= 0 || fields.size() != 3 ||
        !ParseCount(fields[0], times) || !ParseCount(fields[1], seconds) || !ParseCount(fields[2], last) ||
        times > INT32_MAX)
      return;
    stats[game] = {static_cast<int32_t>(times), seconds, last};
    ++taken;
  });
  return taken;
}

TextBuffer FormatPlayStats(const PlayStats& stats) {
  TextBuffer out;
  out += "; Korvo play statistics (written by korvo; safe to edit by hand)\r\n"
         "; game number=times played,seconds played,last start (seconds since 1970, UTC)\r\n";
  for (const auto& [game, r] : stats)
    AppendFormat(out, "%d=%d,%lld,%lld\r\n", game, r.times, static_cast<long long>(r.seconds),
                 static_cast<long long>(r.last));
  return out;
}

void LoadPlayStats(PlayStats& stats, const std::string& path) {
  stats.clear();
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (bytes) KeepIfUnreadable(path, *bytes, ParsePlayStats(*bytes, stats));
}

bool SavePlayStats(const PlayStats& stats, const std::string& path) {
  return WriteFileAtomic(path, FormatPlayStats(stats));
}

void AddPlay(PlayStats& stats, int32_t game, int64_t seconds, int64_t started) {
  PlayRecord& r = stats[game];
  if (r.times < INT32_MAX) ++r.times;
  r.seconds += seconds > 0 ? seconds : 0;
  r.last = started;
}

std::string PlayStatsPath() { return JoinPath(LauncherFolder(), kPlayStatsFileName); }

bool RecordPlay(PlayStats& stats, int32_t game, int64_t seconds, int64_t started) {
  AddPlay(stats, game, seconds, started);
  return SavePlayStats(stats, PlayStatsPath());
}

CivilDate LocalDateOf(int64_t time) {
  std::time_t t = static_cast<std::time_t>(time);
  std::tm local = {};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0) return {};
#else
  if (!localtime_r(&t, &local)) return {};
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::string PlayTimeText(int64_t seconds) {
  const int64_t minutes = seconds / 60, hours = minutes / 60;
  if (minutes == 0) return "under a minute";
  if (hours == 0) return std::to_string(minutes) + " min";
  return std::to_string(hours) + " h" + (minutes % 60 ? " " + std::to_string(minutes % 60) + " min" : "");
}

std::string PlayDateText(const CivilDate& date, bool short_month) {
  if (date.month < 1 || date.month > 12) return "";
  std::string month = kMonths[date.month - 1];
  if (short_month) month.resize(3);
  return std::to_string(date.day) + " " + month + " " + std::to_string(date.year);
}

std::string PlayedText(const PlayRecord& record, const CivilDate& last) {
  if (record.times <= 0) return "Not played yet";
  std::string text = record.times == 1 ? "Played once" : "Played " + std::to_string(record.times) + " times";
  text += ", " + PlayTimeText(record.seconds);
  std::string date = PlayDateText(last);
  return date.empty() ? text : text + ", last on " + date;
}
