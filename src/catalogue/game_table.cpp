#include "catalogue/game_table.h"

// Temporary: the real table and functions follow.
const GameTableRow GameTable[kGameCount] = {};
const BoardInfo kBoards[kBoardCount] = {};
const GameTableRow* GameTableRowByNumber(int32_t number) { return nullptr; }
const GameTableRow* GameTableRowBySet(std::string_view set) { return nullptr; }
bool IsBiosSet(std::string_view name) { return false; }
GameList BuildGameList() { return {}; }
void FreeGameList(GameList& list) { list.clear(); }
void MarkNotInMame(GameEntry& entry) {}
std::string_view BoardOf(const GameEntry& entry) { return entry.board ? entry.board : ""; }
std::string_view MakerTextOf(const GameEntry& entry) { return entry.maker ? entry.maker : ""; }
int32_t YearOf(const GameEntry& entry) { return entry.year; }
const GameEntry* FindGameBySet(const GameList& list, std::string_view name) { return nullptr; }
const GameEntry* FindGameBySetOrFile(const GameList& list, std::string_view name_or_path) { return nullptr; }
const GameEntry* FindGameByNumber(const GameList& list, int32_t number) { return nullptr; }
int FindGameIndexByNumber(const GameList& list, int32_t number) { return -1; }
void SortGameListByTitle(GameList& list) {}
std::string ShortTitle(std::string_view title, bool keep_version) { return std::string(title); }
std::string ShortcutTitle(const GameList& list, const GameEntry& entry) { return entry.title; }
