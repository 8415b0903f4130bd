// What the player did with each game: how often it was played, for how long
// in all, and when last. Kept in korvo-played.cfg beside the launcher, one
// line per game number: "82=12,12000,1796135400" (times, seconds, and the
// last start as seconds since 1970, UTC).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "base/text_buffer.h"

struct PlayRecord {
  int32_t times = 0;
  int64_t seconds = 0;  // from MAME's start to its end, summed
  int64_t last = 0;     // when last started, seconds since 1970 (UTC); 0: never
  bool operator==(const PlayRecord&) const = default;
};
using PlayStats = std::map<int32_t, PlayRecord>;  // by game number

constexpr const char* kPlayStatsFileName = "korvo-played.cfg";

// Reads the file's bytes (any editor's encoding); lines that do not parse are
// skipped. Returns how many lines were taken.
size_t ParsePlayStats(std::string_view bytes, PlayStats& stats);
TextBuffer FormatPlayStats(const PlayStats& stats);
// A missing file is no play yet; a file of which nothing could be read is
// kept aside before it is overwritten.
void LoadPlayStats(PlayStats& stats, const std::string& path);
bool SavePlayStats(const PlayStats& stats, const std::string& path);

// One more play of `seconds`, started at `started` (seconds since 1970).
void AddPlay(PlayStats& stats, int32_t game, int64_t seconds, int64_t started);
// korvo-played.cfg in the launcher folder.
std::string PlayStatsPath();
// AddPlay, then the file written at once.
bool RecordPlay(PlayStats& stats, int32_t game, int64_t seconds, int64_t started);

struct CivilDate {
  int year = 0, month = 0, day = 0;  // month 1-12
};
// The local calendar date of a time (seconds since 1970, UTC).
CivilDate LocalDateOf(int64_t time);
// Seconds since 1970, now.
int64_t NowSeconds();

// "3 h 20 min", "45 min", "under a minute".
std::string PlayTimeText(int64_t seconds);
// "1 December 2026"; with `short_month` "1 Dec 2026".
std::string PlayDateText(const CivilDate& date, bool short_month = false);
// "Played 12 times, 3 h 20 min, last on 1 December 2026"; "Played once, ...";
// "Not played yet" for a record without plays.
std::string PlayedText(const PlayRecord& record, const CivilDate& last);
