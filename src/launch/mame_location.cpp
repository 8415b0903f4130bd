#include "launch/mame_location.h"

#include "settings/app_state.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "settings/settings.h"

namespace {
// A folder (even one called mame.exe) is no program: taking it would send
// every caller on to "ROM files missing" or "could not be started" instead.
bool IsFileThere(const std::string& path) { return FileExists(path) && !IsFolder(path); }
}  // namespace

bool LocateMameProgram(const Settings& settings, std::string& path) {
  if (!settings.mame_exe.empty()) {
    path = ResolvePath(settings.mame_exe);
    return IsFileThere(path);
  }
  static const char* const kCandidates[] = {"mame.exe", "mame\\mame.exe", "mame64.exe", "mame\\mame64.exe"};
  for (const char* name : kCandidates) {
    std::string candidate = JoinPath(LauncherFolder(), name);
    if (IsFileThere(candidate)) {
      path = candidate;
      return true;
    }
  }
  path = JoinPath(LauncherFolder(), "mame.exe");
  return false;
}

bool LocateMameProgram(std::string& path) { return LocateMameProgram(App().settings, path); }

bool MameFound() {
  std::string program;
  return LocateMameProgram(program);
}

std::string MameFolder(const Settings& settings) {
  std::string path;
  LocateMameProgram(settings, path);
  for (char& c : path)
    if (c == '/') c = '\\';
  size_t cut = path.rfind('\\');
  if (cut == std::string::npos) return LauncherFolder();
  // "C:\mame.exe" -> "C:\" and "\mame.exe" -> "\": a root keeps its separator.
  if (cut == 0 || (cut == 2 && path[1] == ':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

std::string MameFolder() { return MameFolder(App().settings); }

std::string MameRomsFolder(const Settings& settings) {
  const std::string& dirs = settings.roms_directory;
  std::string first = Trim(std::string_view(dirs).substr(0, dirs.find(';')));
  if (!first.empty()) return ResolvePath(first);
  return JoinPath(MameFolder(settings), "roms");
}

std::string MameRomsFolder() { return MameRomsFolder(App().settings); }
