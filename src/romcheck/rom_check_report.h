// The Check ROM Set report: for one game, its own zip, its parent's and its
// BIOS zip are looked up in the ROM folders and checked, then MAME judges the
// set with -verifyroms. The report is plain text for a window to show; it is
// built on a worker thread, so it reads only its context, the files and MAME.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "catalogue/game_table.h"
#include "catalogue/listing.h"
#include "launch/mame_args.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

struct RomCheckZip {
  std::string name;  // set name, without ".zip"
  const char* role;  // "game", "parent set" or "BIOS"
};

struct RomCheckContext {
  MameAsker mame;           // located on the main thread: the task never reads the settings
  std::string title;        // the game's title (at most 299 characters)
  std::string set;          // its set name (at most 63)
  std::string rompath;      // the -rompath value of its MAME command line, or ""
  std::string roms_folder;  // the first ROMs folder, shown in the header
  std::vector<std::string> search_folders;
  std::vector<RomCheckZip> zips;  // at most 3: game, parent set, BIOS; no repeats
};

// The folders the zips are looked for in: every piece of the ROMs Folder
// setting (MAME's roms folder when there is none), then the BIOS Folder.
std::vector<std::string> RomSearchFolders(const Settings& settings);
// The value after the first "-rompath", or "".
std::string RompathFromArgs(const ArgList& args);
// Everything the report needs, taken on the main thread: the task reads only
// this, the files and MAME. The game's command line is built as for a
// shortcut, so nothing is written on the way.
RomCheckContext MakeRomCheckContext(const GameEntry& entry, const Settings& settings,
                                    const GameSettingsList& game_settings, const GameList& games);

// The report text: UTF-8 with CRLF line ends. Runs MAME (up to 60 s).
std::string BuildRomCheckReport(const RomCheckContext& context);

// Builds the report on a thread of its own that nobody waits for and hands
// the text to `deliver` there (the window posts it to itself). False when no
// thread could be made.
using RomCheckDelivery = std::function<void(std::string report)>;
bool StartRomCheckTask(RomCheckContext context, RomCheckDelivery deliver);

// Pieces of the report, for the window and for tests.
std::string ZipSizeText(uint32_t total_bytes);  // "1 KB" ... "1024 KB", "1.0 MB"
std::string VerifyromsArguments(const std::string& set, const std::string& rompath);

constexpr const char* kCheckRomSetTitle = "Check ROM Set";
constexpr const char* kCheckingText = "Checking the files\xE2\x80\xA6";
constexpr const char* kNoRomSetText = "This game has no ROM set name.";
constexpr uint32_t kVerifyromsTimeLimitMs = 60000;
