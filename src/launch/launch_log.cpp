#include "launch/launch_log.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/version.h"
#include "launch/mame_location.h"

std::string LaunchLogText(const std::string& program, const ArgList& args, const std::string& mame_folder,
                          const std::vector<std::string>& left_out) {
  std::string default_cfg = JoinPath(mame_folder, "cfg\\default.cfg");
  std::string set = args.empty() ? std::string() : args.front();
  std::string game_cfg = JoinPath(mame_folder, "cfg") + "\\" + set + ".cfg";
  TextBuffer text = "Korvo v" + std::string(kKorvoVersion) + "\r\n" + MameCommandLine(program, args) + "\r\n";
  if (!left_out.empty()) text += LeftOutText(left_out) + "\r\n";
  text += "default.cfg: " + default_cfg + (FileExists(default_cfg) ? " (exists)" : " (missing)") + "\r\n";
  text += "game cfg: " + game_cfg +
          (FileExists(game_cfg) ? " (exists: its input settings win over default.cfg)" : " (none)") + "\r\n";
  return text;
}

bool WriteLaunchLog(const Settings& settings, const ArgList& args, const std::vector<std::string>& left_out) {
  if (!settings.logs) return true;
  std::string program;
  LocateMameProgram(settings, program);
  return WriteFileAtomic(LogsPath("korvo-launch.log"), LaunchLogText(program, args, MameFolder(settings), left_out));
}

bool WriteFrontendFailureLog(const Settings& settings, const std::string& text, const std::string& detail) {
  if (!settings.logs) return true;
  return WriteFileAtomic(LogsPath("korvo-launch.log"), text + ": " + detail + "\r\n");
}

bool AppendLaunchLogLine(const std::string& line) {
  std::string path = LogsPath("korvo-launch.log");
  std::string text = ReadWholeFile(path).value_or("");
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  return WriteFileAtomic(path, text + line + "\r\n");
}
