#include "catalogue/game_list_loader.h"

#include <system_error>
#include <thread>

#include "catalogue/mame_usage.h"

std::unique_ptr<GameListBlock> LoadGameListBlock(bool force, const MameAsker& mame) {
  auto block = std::make_unique<GameListBlock>();
  block->list = BuildGameList();
  block->built = !block->list.empty();
  if (block->built) LoadMameListing(block->list, force, mame);
  // The statuses known from before show at once, also while MAME is asked again.
  DriverStatuses statuses = CachedDriverStatuses(mame);
  ApplyDriverStatuses(block->list, statuses);
  block->statuses_wanted = block->built && mame.found && (force || statuses.empty());
  block->filters = BuildFilterValues(block->list);  // after MAME's descriptions replaced titles
  // Before the list is handed on, so that a start right after loading already
  // leaves out what this MAME lacks.
  LoadMameUsage(force, mame);
  return block;
}

bool StartGameListLoader(bool force, MameAsker mame, GameListDelivery deliver) {
  try {
    std::thread([force, mame = std::move(mame), deliver = std::move(deliver)] {
      deliver(LoadGameListBlock(force, mame));
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;  // no thread could be made; the caller keeps its current list
  }
}

bool StartStatusTask(MameAsker mame, StatusDelivery deliver) {
  try {
    std::thread([mame = std::move(mame), deliver = std::move(deliver)] {
      auto statuses = std::make_unique<DriverStatuses>();
      if (AskDriverStatuses(mame, *statuses)) deliver(std::move(statuses));
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

const char* GameListLoadingText(bool force) { return force ? "Asking MAME for its games\u2026" : "Loading games\u2026"; }
