// The background task that builds a fresh game list and completes it from
// MAME's listing and the statuses cached for this MAME; on the way it learns
// which options MAME has (mame_usage.h). A second task asks MAME for the
// statuses when the cache lacks them (mame_status.h).
// It touches only its own new list; the result travels to the main window in
// a heap block that the receiver owns from then on.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "catalogue/game_filter.h"
#include "catalogue/game_table.h"
#include "catalogue/listing.h"
#include "catalogue/mame_status.h"

struct GameListBlock {
  GameList list;
  bool built = false;  // the table could be turned into a list
  FilterLists filters;  // the filter bars' choices for this list, made off the window's thread
  bool statuses_wanted = false;  // MAME is to be asked how well it runs the sets (StartStatusTask)
};

// The task's body, run on any thread.
std::unique_ptr<GameListBlock> LoadGameListBlock(bool force, const MameAsker& mame);

// Receives the finished block on the loader's thread; it must hand it on
// (for the window: post it) and free it when that fails.
using GameListDelivery = std::function<void(std::unique_ptr<GameListBlock>)>;

// Starts the task on a new thread that nobody waits for. A second start while
// one runs starts another; each delivered list replaces the one before.
bool StartGameListLoader(bool force, MameAsker mame, GameListDelivery deliver);

// Asks MAME for the statuses of the table's sets on a new thread and hands
// what it said over, as the list's delivery does; nothing when MAME could not
// be asked.
using StatusDelivery = std::function<void(std::unique_ptr<DriverStatuses>)>;
bool StartStatusTask(MameAsker mame, StatusDelivery deliver);

// Waits up to `ms` for every task started above to end; whether they all did.
// The program waits before it ends, since a task may still read what ending
// destroys.
bool WaitForListTasks(uint32_t ms);

// Status-bar text while loading.
const char* GameListLoadingText(bool force);
