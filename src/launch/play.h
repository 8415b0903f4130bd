// Playing a game from the main window, without the window itself: the checks
// before a start, the start, the recent-games list, the waiting thread, Stop,
// and the end of MAME turned into what the window shows.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/text_buffer.h"
#include "launch/exit_diagnosis.h"
#include "launch/game_process.h"
#include "launch/mame_args.h"

// One game at a time; the main window holds this record and only its thread writes it.
struct LaunchState {
  bool running = false;
  bool stopped_by_user = false;     // the end then stays silent
  bool minimized_on_start = false;  // the window is to come back when MAME ends
  uint32_t start_tick = 0;
  int32_t last_game = 0;            // for the automatic Check ROM Set
  int64_t started_at = 0;           // seconds since 1970, for the play statistics
  std::string not_working_note;     // said when a game MAME marks as not working fails to start
  std::vector<std::string> left_out;  // options of the last start that this MAME does not have
  GameProcess process;
};

// Why Play refuses, in the order it is checked.
enum class PlayCheck { kOk, kNoSelection, kAlreadyRunning, kNotInMame, kRomsMissing, kMameNotFound };
PlayCheck CheckPlay(const GameEntry* entry, bool running, bool has_roms, bool mame_found);
// The text of the "Play" information box for a refusal (not for kMameNotFound).
const char* PlayCheckText(PlayCheck check);
// The "MAME Not Found" warning with the path that was looked for.
std::string MameNotFoundText(const std::string& path);
// The "Could Not Start MAME" error.
std::string CouldNotStartText(uint32_t error);

// Starts MAME with `args` for a game: hands the combos state to the autofire
// mapping, sends the output to OutputPath(), works in MAME's folder, and
// starts the warning-skip helper when asked. `error` is the system's code.
bool StartMame(const Settings& settings, const ArgList& args, GameProcess& process, uint32_t& error);

// Builds the arguments, writes the launch log and starts MAME. On success
// the state says running and the recent list has the game first (the caller
// saves the settings); on failure nothing changes but `error`.
bool StartPlay(LaunchState& state, Settings& settings, const GameSettingsList& game_settings, const GameList& games,
               const GameEntry& entry, const LaunchRequest* request, uint32_t& error);

// Waits for the running MAME on its own thread and then calls `on_end` there
// (the main window posts itself its "MAME ended" message).
void StartWaitThread(const LaunchState& state, std::function<void()> on_end);

// Asks MAME to close; a MAME that ignores it is ended after 8 s. The end that
// follows is silent.
void StopGame(LaunchState& state);
constexpr uint32_t kStopGraceMs = 8000;

// MAME has ended: closes the process, clears `running`, puts the real
// sequences of autofire buttons back into default.cfg and says what to show.
MameEndReport FinishPlay(LaunchState& state, uint32_t now_tick);

// The filter window belongs to another module; it hands its start and stop
// in here. Until then a start goes on without it.
using StartFilterWindowFn = void (*)(uint32_t process_id);
using StopFilterWindowFn = void (*)();
void SetFilterWindowHooks(StartFilterWindowFn start, StopFilterWindowFn stop);
void CallStartFilterWindow(uint32_t process_id);
void CallStopFilterWindow();
