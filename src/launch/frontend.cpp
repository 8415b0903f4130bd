#include "launch/frontend.h"

#include "settings/app_state.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "catalogue/mame_status.h"
#include "catalogue/rom_scan.h"
#include "controls/autofire.h"
#include "launch/launch_log.h"
#include "launch/mame_asker.h"
#include "launch/mame_location.h"
#include "launch/play.h"

namespace {
constexpr size_t kNameLimit = 299;
constexpr size_t kMissingTextLimit = 300;

const char kUnknownGame[] =
    "unknown game (use the MAME set name, e.g. sfex2, or the ROM zip of a game of the listed boards)";
const char kRomsMissing[] = "ROM files missing";
const char kMameNotFound[] = "mame.exe not found (set it in the launcher, or put it beside the launcher)";
const char kMameNotStarted[] = "mame.exe could not be started";
const char kNoGame[] = "no game given";

int32_t ScreenMode(ScreenRequest screen) {
  switch (screen) {
    case ScreenRequest::FullScreen: return 1;
    case ScreenRequest::Window: return 0;
    default: return -1;
  }
}

std::function<bool()>& EndWatch() {
  static std::function<bool()> watch;
  return watch;
}

void WaitForGame(const Settings& settings, const GameProcess& process) {
  if (!settings.pad_exit_combo || !EndWatch()) {
    WaitGameProcess(process, UINT32_MAX);
    return;
  }
  while (!WaitGameProcess(process, kFrontendWatchMs))
    if (EndWatch()()) StopGameProcess(process, kStopGraceMs);
}
}  // namespace

void SetFrontendEndWatch(std::function<bool()> end_requested) { EndWatch() = std::move(end_requested); }

std::string NormalizeFrontendName(std::string_view text) {
  std::string name = Trim(CutToUtf16Units(text, kNameLimit));
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  size_t separator = name.find_last_of("\\/");
  if (separator != std::string::npos) name.erase(0, separator + 1);
  return name;
}

const GameEntry* FindFrontendGame(const GameList& games, std::string_view normalized) {
  if (normalized.empty()) return nullptr;
  if (const GameEntry* entry = FindGameBySet(games, normalized)) return entry;
  size_t dot = normalized.rfind('.');
  if (dot == std::string_view::npos) return nullptr;
  return FindGameBySet(games, normalized.substr(0, dot));
}

std::string MissingRomZips(const Settings& settings, const GameEntry& entry) {
  // The same scan the game list uses, so both agree on what is present.
  RefreshRomScan(settings.roms_directory, settings.bios_directory, true, MameRomsFolder(settings));
  std::string missing;
  ListMissingZips(entry, missing, kMissingTextLimit + 1);
  return missing;
}

int RunFrontend(const Settings& settings, const GameSettingsList& game_settings, const std::string& game,
                ScreenRequest screen) {
  auto fail = [&](int code, const char* text, const std::string& detail) {
    WriteFrontendFailureLog(settings, text, detail);
    return code;
  };
  // Only an empty or blank argument names no game; anything else that finds
  // nothing (a folder path, a pair of quotes) is an unknown game.
  if (TrimNarrow(game).empty()) return fail(kFrontendNoGame, kNoGame, "");
  std::string program;
  if (!LocateMameProgram(settings, program)) return fail(kFrontendNoMame, kMameNotFound, program);

  // The table alone: MAME is not asked, so a front-end's start stays quick;
  // what it said of the sets before is in its caches.
  GameList games = BuildGameList();
  ApplyDriverStatuses(games, CachedDriverStatuses(LocatedMameAsker(settings)));
  const GameEntry* entry = FindFrontendGame(games, NormalizeFrontendName(game));
  if (!entry) return fail(kFrontendUnknownGame, kUnknownGame, game);

  std::string missing = MissingRomZips(settings, *entry);
  if (!missing.empty()) return fail(kFrontendRomsMissing, kRomsMissing, missing);

  LaunchRequest request;
  request.screen_mode = ScreenMode(screen);
  ArgList args;
  std::vector<std::string> left_out;
  BuildMameArgs(settings, game_settings, games, entry->number, &request, args, &left_out);
  WriteLaunchLog(settings, args, left_out);
  AllowAnyForeground();
  GameProcess process;
  uint32_t error = 0;
  if (!StartMame(settings, args, process, error)) return fail(kFrontendNoMame, kMameNotStarted, program);

  const uint32_t start_tick = TickMs();
  const int64_t started_at = NowSeconds();
  StartForegroundThread(GameProcessId(process));
  if (settings.filter_window) CallStartFilterWindow(GameProcessId(process));
  WaitForGame(settings, process);
  if (settings.filter_window) CallStopFilterWindow();
  uint32_t exit_code = 0;
  GameProcessExitCode(process, exit_code);
  CloseGameProcess(process);
  const uint32_t elapsed = TickMs() - start_tick;
  if (CountsAsPlayed(exit_code, elapsed)) {
    RecordPlay(App().played, entry->number, elapsed / 1000, started_at);
  } else if (settings.logs) {
    AppendLaunchLogLine(MameEndText(exit_code, elapsed, NotWorkingNote(*entry)));
  }
  RestoreAutofireAtRest();  // MAME saved default.cfg on its way out, autofire buttons as NONE
  return kFrontendPlayed;
}

int RunFrontend(const std::string& game, ScreenRequest screen) {
  return RunFrontend(App().settings, App().game_settings, game, screen);
}
