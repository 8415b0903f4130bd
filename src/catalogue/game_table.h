// The 462 supported games: the constant table built into the launcher, and
// the working GameList copied from it whose titles and info texts can change
// once MAME has been asked about the sets.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/driver_status.h"
#include "settings/play_stats.h"

constexpr int kGameCount = 462;

// Bits of GameTableRow::flags and GameEntry::flags.
constexpr uint32_t kGameNotWorking = 1;  // MAME marks the game as not working
constexpr uint32_t kGameNotInMame = 2;   // the installed MAME does not list the set (entries only)

// One row of the constant table. Texts are UTF-8 literals; "" means none.
struct GameTableRow {
  int32_t number;      // 1..462, the row's position plus one; the game's identity everywhere
  const char* set;     // MAME short name, also the ROM zip name without ".zip"
  const char* parent;  // parent set of a clone, "" for a parent set
  const char* bios;    // BIOS set the board needs, "" for boards without one
  const char* board;   // one of the 17 board texts
  const char* title;
  const char* maker;
  int32_t year;  // 0: no year
  uint32_t flags;
};

// In number order: GameTable[n - 1].number == n.
extern const GameTableRow GameTable[kGameCount];

// The row whose set name equals `set` without regard to case, or nullptr.
const GameTableRow* GameTableRowBySet(std::string_view set);

constexpr int kBoardCount = 17;  // the Hardware filter's choices

// One element of the working list. Texts are UTF-8.
struct GameEntry {
  int32_t number = 0;
  std::string title;  // the row's title, possibly replaced by MAME's description
  std::string info;   // "clone of x", "not working in MAME", "not in this MAME", joined by ", "
  std::string set, parent, bios;
  const char* board = nullptr;  // shared with the constant table
  const char* maker = nullptr;  // shared with the constant table
  int32_t year = 0;
  uint8_t flags = 0;  // kGameNotWorking, kGameNotInMame
  DriverStatus driver;  // what the installed MAME says of the set, once asked
  PlayRecord played;    // what the player did with it (korvo-played.cfg)
};

using GameList = std::vector<GameEntry>;

// A fresh list of all 462 games in number order, with their info texts.
GameList BuildGameList();

// Marks an entry as unknown to the installed MAME: sets kGameNotInMame and
// appends "not in this MAME" to its info text (once).
void MarkNotInMame(GameEntry& entry);
// The info text from the parent and the flags: "clone of x", "not working in
// MAME", "not in this MAME", joined by ", ".
void RebuildInfoText(GameEntry& entry);

// Every entry takes its record of plays; games never played get none.
void ApplyPlayStats(GameList& list, const PlayStats& stats);

// Board and maker text of an entry ("" when missing), and its year (0: none).
std::string_view BoardOf(const GameEntry& entry);
std::string_view MakerTextOf(const GameEntry& entry);
int32_t YearOf(const GameEntry& entry);

// The first entry whose set equals `name` without regard to case, or nullptr.
const GameEntry* FindGameBySet(const GameList& list, std::string_view name);

// Linear search by game number; nullptr (or -1) when the list has no such game.
const GameEntry* FindGameByNumber(const GameList& list, int32_t number);
int FindGameIndexByNumber(const GameList& list, int32_t number);

// A title without its detail, for shortcut names: "Tekken 2 Ver.B (World, TES2/VER.D)"
// gives "Tekken 2 (World,)", or "Tekken 2 Ver.B (World,)" with keep_version.
std::string ShortTitle(std::string_view title, bool keep_version);
// The shortcut name of an entry: its ShortTitle, made longer only when another
// game of the list would get the same name.
std::string ShortcutTitle(const GameList& list, const GameEntry& entry);
// ShortcutTitle of every entry, by list position, in one pass over the list.
std::vector<std::string> ShortcutTitles(const GameList& list);
