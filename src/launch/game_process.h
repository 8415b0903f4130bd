// A played game's MAME process: started with its output in a file, waited
// for, and stopped with a grace time. game_process_win.cpp uses CreateProcess;
// game_process_posix.cpp fork/exec so the launch logic runs under test natively.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GameProcessState;  // platform record

struct GameProcess {
  std::shared_ptr<GameProcessState> state;  // empty: no process
  explicit operator bool() const { return state != nullptr; }
};

struct GameStart {
  std::string program;         // mame.exe
  std::vector<std::string> args;  // the argument list, set name first
  std::string working_folder;  // MAME's folder
  std::string output_path;     // standard output and error go here; "" or not creatable: inherited
  bool hide_console = true;    // no console window for MAME
};

// Starts the program. On failure `error` holds the system's error code.
bool StartGameProcess(const GameStart& start, GameProcess& process, uint32_t& error);
// Another handle on the same process for a second thread; false when none could be made.
bool DuplicateGameProcess(const GameProcess& process, GameProcess& copy);
uint32_t GameProcessId(const GameProcess& process);
// Waits up to `ms` (UINT32_MAX: without limit); true when the process has ended.
bool WaitGameProcess(const GameProcess& process, uint32_t ms);
// The exit code of an ended process; false while it runs.
bool GameProcessExitCode(const GameProcess& process, uint32_t& code);
// Ends the process at once with `exit_code`.
void TerminateGameProcess(const GameProcess& process, uint32_t exit_code);
// Asks the process's windows to close, waits up to `grace_ms`, then ends it with exit code 0.
void StopGameProcess(const GameProcess& process, uint32_t grace_ms);
void CloseGameProcess(GameProcess& process);

// The user's temporary folder as the system gives it ("" when it has none).
std::string UserTempFolder();
// A 32-bit millisecond tick, wrapping like the system's tick count.
uint32_t TickMs();

// Helpers for a game that has just started; they do nothing where there are no
// windows to help with.
// Presses F13 about twice a second for up to 20 s while MAME has the focus,
// which dismisses its warning screen (a detached thread).
void StartWarningSkipThread(uint32_t process_id);
// Lets any process take the foreground, so MAME's window can come to the front.
void AllowAnyForeground();
// Brings MAME's first visible window to the front once it appears (a detached thread).
void StartForegroundThread(uint32_t process_id);
