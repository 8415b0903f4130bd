// The background task that builds a fresh game list and completes it from
// MAME's listing; on the way it learns which options MAME has (mame_usage.h).
// It touches only its own new list; the result travels to the main window in
// a heap block that the receiver owns from then on.
#pragma once
#include <functional>
#include <memory>

#include "catalogue/game_filter.h"
#include "catalogue/game_table.h"
#include "catalogue/listing.h"

struct GameListBlock {
  GameList list;
  bool built = false;  // the table could be turned into a list
  FilterLists filters;  // the filter bars' choices for this list, made off the window's thread
};

// The task's body, run on any thread.
std::unique_ptr<GameListBlock> LoadGameListBlock(bool force, const MameAsker& mame);

// Receives the finished block on the loader's thread; it must hand it on
// (for the window: post it) and free it when that fails.
using GameListDelivery = std::function<void(std::unique_ptr<GameListBlock>)>;

// Starts the task on a new thread that nobody waits for. A second start while
// one runs starts another; each delivered list replaces the one before.
bool StartGameListLoader(bool force, MameAsker mame, GameListDelivery deliver);

// Status-bar text while loading.
const char* GameListLoadingText(bool force);
