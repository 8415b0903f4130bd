// Which ROM sets are present: the ROM folders (and the BIOS folder) are
// listed, and a game counts as available when its own set, its parent and its
// BIOS set are all found. The state belongs to the main thread.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue/game_table.h"

// The status column's icon for a game; the values are its images.
enum class RomStatus : int {
  Present = 0,      // all of its zips are there, not checked (or changed since)
  Missing = 1,      // a zip of the set, its parent or its BIOS is missing
  CheckedGood = 2,  // the last audit found every file good
  Damaged = 3,      // the last audit found a file missing, wrong or damaged
  NotChecked = 4,   // the last audit could not read it (too large, locked, of a form not known)
  Unknown = 5,      // the last audit found that this MAME does not know the set
};
struct RomScanState {
  std::unordered_set<std::string> available;  // lower-case set names found
  std::string signature;                      // RomFoldersSignature of the last scan
  bool scanned = false;
  std::string bios_folder;  // trimmed; empty: none
  // What the last audit found of each present set, while it still holds
  // (lower-case set names): CheckedGood, Damaged, NotChecked or Unknown.
  std::unordered_map<std::string, RomStatus> audit_marks;
};

RomScanState& RomScan();  // the main thread's state

// The folders to scan: the pieces of the ROMs Folder text (split at ';',
// trimmed, empty pieces skipped), or `default_folder` (MAME's own roms folder)
// when the text names none.
std::vector<std::string> RomFolderPieces(const std::string& roms_text, const std::string& default_folder);

// Each folder's resolved path and last-write time, then the BIOS folder's.
std::string RomFoldersSignature(const std::string& roms_text, const std::string& default_folder);
bool RomFoldersChanged(const std::string& roms_text, const std::string& default_folder);

// Rebuilds the available sets and stores the signature; returns how many names were found.
size_t ScanRomFolders(const std::string& roms_text, const std::string& default_folder);

// At most 559 characters, trimmed.
void SetBiosFolder(const std::string& text);

// With the ROMs and BIOS Folder texts as shown in the settings: rescans when
// forced, when no scan was made yet, or when the folders changed. True when it scanned.
bool RefreshRomScan(const std::string& roms_text, const std::string& bios_text, bool force,
                    const std::string& default_folder);

// The set, its parent and its BIOS set are all present (true without a set name).
bool HasRoms(const GameEntry& entry);
RomStatus GameRomStatus(const GameEntry& entry);
const char* RomStatusTip(RomStatus status);

// "tekken2ub.zip, tekken2.zip": the missing zips of the set, parent and BIOS,
// cut to at most `capacity` - 1 characters; returns how many are missing.
int ListMissingZips(const GameEntry& entry, std::string& text, size_t capacity = 520);

// Play is possible: a game is selected, none runs, MAME knows it and its ROMs are there.
bool CanPlay(const GameEntry* selected, bool game_running);

// "%d games (PSX-based and Hyper Neo Geo 64 boards), %d with ROMs"
std::string GameCountsText(const GameList& list);
