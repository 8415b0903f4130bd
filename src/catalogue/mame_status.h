// How well the installed MAME runs each set of the table: asked once with
// -listxml about all of them, in the background, and kept in
// korvo-status-cache.cfg under the listing cache's key, so that a new
// mame.exe is asked again. The answer replaces the built-in "not working"
// mark for every set MAME knows.
#pragma once
#include <string>
#include <string_view>

#include "base/text_buffer.h"
#include "catalogue/driver_status.h"
#include "catalogue/game_table.h"
#include "catalogue/listing.h"

// "-listxml" followed by every set of the table.
std::string StatusQueryArguments();

// The cache: "key=" and the key, then one machine element per line.
bool ParseDriverStatusCache(std::string_view text, std::string_view key, DriverStatuses& statuses);
TextBuffer FormatDriverStatusCache(std::string_view key, const DriverStatuses& statuses);
std::string DriverStatusCachePath();  // korvo-status-cache.cfg in the launcher folder

// This mame.exe's statuses from the cache; empty when it was never asked.
DriverStatuses CachedDriverStatuses(const MameAsker& mame);
// Asks MAME and keeps a usable answer in the cache; false when MAME could not
// be asked or said too little to be its listing. Any thread; it takes seconds.
bool AskDriverStatuses(const MameAsker& mame, DriverStatuses& statuses);
// MAME lists a few hundred of the table's sets; fewer is not its answer.
constexpr size_t kMinimumStatusMachines = 100;
constexpr uint32_t kStatusTimeLimitMs = 60000;

// Every entry MAME knows takes its status: the "not working" mark and the
// info text follow it. Entries MAME does not list keep the built-in mark.
void ApplyDriverStatuses(GameList& list, const DriverStatuses& statuses);

// What the card says of a game's status: MAME's words when MAME knows the
// set, else the built-in mark ("Not working (the launcher's own list).") or
// "Not in this MAME.".
std::string GameStatusText(const GameEntry& entry);
// For a failed start of a game that does not work: "MAME marks this game as
// not working (<status in words>)"; "" for a game that works.
std::string NotWorkingNote(const GameEntry& entry);
