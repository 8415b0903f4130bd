#include "launch/exit_diagnosis.h"

#include "settings/app_state.h"
#include "base/file_tail.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/text_util.h"
#include "launch/game_process.h"

namespace {
constexpr uint32_t kQuickEndMs = 5000;  // a clean end sooner than this is worth a word
constexpr size_t kTailBytes = 8000;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
size_t Utf16UnitsOfLead(char c) { return (static_cast<unsigned char>(c) & 0xF8) == 0xF0 ? 2 : 1; }
}  // namespace

const char* MameExitCodeText(uint32_t code) {
  static const char* const kTexts[] = {
      "the game failed MAME's validity check",
      "ROM files are missing or wrong (Game > Check ROM Set)",
      "MAME had a fatal error",
      "a device could not be loaded",
      "MAME does not know this set",
      "an option the launcher passed is not valid for this MAME (see Enable Logs on the General tab)",
      "none of the ROM files were recognised",
      "MAME failed to start the game",
  };
  return code >= 1 && code <= 8 ? kTexts[code - 1] : nullptr;
}

bool CountsAsPlayed(uint32_t exit_code, uint32_t elapsed_ms) {
  if (exit_code == 0) return true;
  if (exit_code <= 8 && exit_code != 3) return false;  // 3, a fatal error, may come mid-game
  return elapsed_ms >= kQuickEndMs;
}

std::string MameEndText(uint32_t exit_code, uint32_t elapsed_ms, const std::string& not_working_note) {
  TextBuffer text;
  if (const char* words = MameExitCodeText(exit_code)) {
    AppendFormat(text, "MAME exited with code %u: %s", exit_code, words);
  } else {
    AppendFormat(text,
                 "MAME closed after %u s (exit code %u): use Game > Check ROM Set, and turn on Enable Logs to see "
                 "the command line",
                 elapsed_ms / 1000, exit_code);
  }
  if (!not_working_note.empty()) text += "; " + not_working_note;
  return text;
}

MameEndReport DiagnoseMameEnd(bool running, bool stopped_by_user, uint32_t elapsed_ms, uint32_t exit_code,
                              const std::function<std::string()>& read_tail, const std::string& not_working_note) {
  MameEndReport report;
  report.played = running && CountsAsPlayed(exit_code, elapsed_ms);
  report.played_ms = elapsed_ms;
  if (!running || stopped_by_user || (elapsed_ms >= kQuickEndMs && exit_code == 0)) return report;
  report.silent = false;
  report.status = MameEndText(exit_code, elapsed_ms, exit_code != 0 ? not_working_note : "");
  if (exit_code == 1 || exit_code == 2 || exit_code == 7) {
    report.open_rom_check = true;
    return report;
  }
  if (exit_code == 0) return report;
  std::string tail = read_tail ? read_tail() : std::string();
  if (!tail.empty()) {
    report.show_box = true;
    report.box_text = report.status + "\n\nMAME said:\n\n" + tail;
  }
  return report;
}

std::string OutputPathFor(bool logs, const std::string& temp_folder, const std::string& launcher_folder) {
  if (logs) return LogsPath("korvo-output.log");
  size_t length = Utf16Length(temp_folder);
  if (length >= 1 && length <= 229) return JoinPath(temp_folder, "korvo-output.tmp");
  return JoinPath(launcher_folder, "korvo-output.tmp");
}

std::string OutputPath(const Settings& settings) {
  return OutputPathFor(settings.logs != 0, UserTempFolder(), LauncherFolder());
}

std::string OutputPath() { return OutputPath(App().settings); }

std::string OutputTail(const std::string& bytes, size_t max_chars) {
  std::string_view window(bytes);
  if (window.size() > kTailBytes) window = window.substr(window.size() - kTailBytes);
  // A cut through a character leaves continuation bytes that no text starts with.
  while (!window.empty() && IsContinuationByte(window.front())) window.remove_prefix(1);
  std::string text;
  text.reserve(window.size());
  for (char c : window)
    if (c != '\r') text += c;

  if (Utf16Length(text) <= max_chars) return Trim(text);
  // Walk back max_chars UTF-16 units from the end, a whole character at a time.
  size_t units = 0, start = text.size();
  while (start > 0 && units < max_chars) {
    size_t lead = start - 1;
    while (lead > 0 && IsContinuationByte(text[lead])) --lead;
    units += Utf16UnitsOfLead(text[lead]);
    start = lead;
  }
  size_t newline = text.find('\n', start);
  if (newline == std::string::npos) return "";
  return Trim(std::string_view(text).substr(newline + 1));
}

std::string ReadOutputTail(const Settings& settings, size_t max_chars) {
  std::optional<std::string> bytes = ReadFileTail(OutputPath(settings), kTailBytes);
  return bytes ? OutputTail(*bytes, max_chars) : std::string();
}

std::string ReadOutputTail(size_t max_chars) { return ReadOutputTail(App().settings, max_chars); }
