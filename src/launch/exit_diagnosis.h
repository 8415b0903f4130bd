// What the launcher tells the user when a played MAME has ended: the status
// text, whether the end stays silent, whether the ROM-set check opens, and
// the tail of MAME's output shown in the "MAME Ended" box.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings.h"

// The words for MAME's exit codes 1-8; nullptr for every other code.
const char* MameExitCodeText(uint32_t code);

// A start that failed is no play: MAME ended with a code it gives only before
// a game runs, or with any other error within its first seconds.
bool CountsAsPlayed(uint32_t exit_code, uint32_t elapsed_ms);

struct MameEndReport {
  bool played = false;     // the game ran: it counts in the play statistics
  uint32_t played_ms = 0;  // from MAME's start to its end
  bool silent = true;
  std::string status;           // for the status bar (5 s)
  bool open_rom_check = false;  // codes 1, 2, 7: the Check ROM Set report opens instead of a box
  bool show_box = false;        // the "MAME Ended" box with `box_text`
  std::string box_text;
};

// `running`: a start from the main window was being watched; `elapsed_ms`
// since the start. `read_tail` is asked only when a box may be shown.
// `not_working_note` (NotWorkingNote) follows what is said of a failed start.
MameEndReport DiagnoseMameEnd(bool running, bool stopped_by_user, uint32_t elapsed_ms, uint32_t exit_code,
                              const std::function<std::string()>& read_tail,
                              const std::string& not_working_note = "");
// "MAME exited with code 3: MAME had a fatal error", or the words for a
// code without a name, and the note after "; " when there is one.
std::string MameEndText(uint32_t exit_code, uint32_t elapsed_ms, const std::string& not_working_note);

// Where MAME's console output goes: the logs folder with logs on, else the
// user's temporary folder when its path has 1 to 229 characters, else the
// launcher folder.
std::string OutputPathFor(bool logs, const std::string& temp_folder, const std::string& launcher_folder);
std::string OutputPath(const Settings& settings);  // on this system
std::string OutputPath();                         // for the process-wide settings

// The last lines of an output text: at most the last 8000 bytes are looked at,
// CRs are dropped, and a text longer than `max_chars` (UTF-16 units) is cut so
// that it begins at a line start (empty when no line starts in the window).
std::string OutputTail(const std::string& bytes, size_t max_chars);
std::string ReadOutputTail(const Settings& settings, size_t max_chars);  // of the file at OutputPath
std::string ReadOutputTail(size_t max_chars);
