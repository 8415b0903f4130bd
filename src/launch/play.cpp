#include "launch/play.h"

#include <thread>

#include "catalogue/list_state.h"
#include "catalogue/mame_status.h"
#include "controls/autofire.h"
#include "launch/launch_log.h"
#include "launch/mame_location.h"

namespace {
StartFilterWindowFn g_start_filter = nullptr;
StopFilterWindowFn g_stop_filter = nullptr;
constexpr size_t kBoxTailChars = 1400;
}  // namespace

void SetFilterWindowHooks(StartFilterWindowFn start, StopFilterWindowFn stop) {
  g_start_filter = start;
  g_stop_filter = stop;
}
void CallStartFilterWindow(uint32_t process_id) {
  if (g_start_filter) g_start_filter(process_id);
}
void CallStopFilterWindow() {
  if (g_stop_filter) g_stop_filter();
}

PlayCheck CheckPlay(const GameEntry* entry, bool running, bool has_roms, bool mame_found) {
  if (!entry) return PlayCheck::kNoSelection;
  if (running) return PlayCheck::kAlreadyRunning;
  if (entry->flags & kGameNotInMame) return PlayCheck::kNotInMame;
  if (!has_roms) return PlayCheck::kRomsMissing;
  if (!mame_found) return PlayCheck::kMameNotFound;
  return PlayCheck::kOk;
}

const char* PlayCheckText(PlayCheck check) {
  switch (check) {
    case PlayCheck::kNoSelection: return "Select a game first.";
    case PlayCheck::kAlreadyRunning: return "A game is already running.";
    case PlayCheck::kNotInMame:
      return "The installed MAME does not know this set (it is too old, or the set was renamed).";
    case PlayCheck::kRomsMissing: return "The ROM files of this game were not found in the ROMs folder.";
    default: return "";
  }
}

std::string MameNotFoundText(const std::string& path) {
  return "mame.exe was not found:\n" + path +
         "\n\nChoose it on the General tab (MAME Program), or put it next to the launcher.";
}

std::string CouldNotStartText(uint32_t error) {
  TextBuffer text;
  AppendFormat(text, "Windows error %u", error);
  return text;
}

bool StartMame(const Settings& settings, const ArgList& args, GameProcess& process, uint32_t& error) {
  // default.cfg must match what runs: autofire buttons are NONE only while the
  // combos plugin presses them, and hold their real sequence again once MAME
  // has ended (FinishPlay) or did not start at all.
  ApplyAutofireTakeover(CombosActive());
  GameStart start;
  LocateMameProgram(settings, start.program);
  start.args = args;
  start.working_folder = MameFolder(settings);
  start.output_path = OutputPath(settings);
  start.hide_console = settings.hide_console != 0;
  if (!StartGameProcess(start, process, error)) {
    RestoreAutofireAtRest();
    return false;
  }
  if (settings.skip_warnings) StartWarningSkipThread(GameProcessId(process));
  return true;
}

bool StartPlay(LaunchState& state, Settings& settings, const GameSettingsList& game_settings, const GameList& games,
               const GameEntry& entry, const LaunchRequest* request, uint32_t& error) {
  ArgList args;
  std::vector<std::string> left_out;
  BuildMameArgs(settings, game_settings, games, entry.number, request, args, &left_out);
  WriteLaunchLog(settings, args, left_out);
  GameProcess process;
  if (!StartMame(settings, args, process, error)) return false;
  state.left_out = std::move(left_out);
  state.process = process;
  state.running = true;
  state.stopped_by_user = false;
  state.last_game = entry.number;
  state.start_tick = TickMs();
  state.started_at = NowSeconds();
  state.not_working_note = NotWorkingNote(entry);
  AddRecentGame(settings.recent, entry.number);
  if (settings.filter_window && !(request && request->for_shortcut)) CallStartFilterWindow(GameProcessId(process));
  return true;
}

void StartWaitThread(const LaunchState& state, std::function<void()> on_end) {
  GameProcess watched;
  if (!DuplicateGameProcess(state.process, watched)) watched = state.process;
  std::thread([watched, on_end = std::move(on_end)]() mutable {
    WaitGameProcess(watched, UINT32_MAX);
    CloseGameProcess(watched);
    if (on_end) on_end();
  }).detach();
}

void StopGame(LaunchState& state) {
  if (!state.running) return;
  state.stopped_by_user = true;
  GameProcess stopper;
  if (!DuplicateGameProcess(state.process, stopper)) {
    TerminateGameProcess(state.process, 0);
    return;
  }
  std::thread([stopper]() mutable {
    StopGameProcess(stopper, kStopGraceMs);
    CloseGameProcess(stopper);
  }).detach();
}

MameEndReport FinishPlay(LaunchState& state, uint32_t now_tick) {
  CallStopFilterWindow();
  bool was_running = state.running;
  uint32_t code = 0;
  if (was_running) {
    GameProcessExitCode(state.process, code);
    CloseGameProcess(state.process);
    state.running = false;
    // MAME saved default.cfg on its way out, autofire buttons as NONE.
    RestoreAutofireAtRest();
  }
  return DiagnoseMameEnd(was_running, state.stopped_by_user, now_tick - state.start_tick, code,
                         [] { return ReadOutputTail(kBoxTailChars); }, state.not_working_note);
}
