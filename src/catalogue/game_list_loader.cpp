#include "catalogue/game_list_loader.h"

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "catalogue/mame_usage.h"

namespace {
// Tasks whose threads still run, delivery included: what may still read the
// launcher's folder and statics, and write its caches.
std::atomic<int> g_tasks_running{0};

template <typename Body>
bool StartCountedTask(Body body) {
  ++g_tasks_running;  // before the thread, so that a wait right after the start sees it
  try {
    std::thread([body = std::move(body)]() mutable {
      body();
      --g_tasks_running;
    }).detach();
    return true;
  } catch (const std::system_error&) {
    --g_tasks_running;
    return false;  // no thread could be made; the caller keeps what it has
  }
}
}  // namespace

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
  return StartCountedTask([force, mame = std::move(mame), deliver = std::move(deliver)] {
    deliver(LoadGameListBlock(force, mame));
  });
}

bool StartStatusTask(MameAsker mame, StatusDelivery deliver) {
  return StartCountedTask([mame = std::move(mame), deliver = std::move(deliver)] {
    auto statuses = std::make_unique<DriverStatuses>();
    if (AskDriverStatuses(mame, *statuses)) deliver(std::move(statuses));
  });
}

bool WaitForListTasks(uint32_t ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (g_tasks_running.load() > 0) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

const char* GameListLoadingText(bool force) { return force ? "Asking MAME for its games\u2026" : "Loading games\u2026"; }
