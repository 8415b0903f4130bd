#include "app/startup.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_case.h"
#include "base/text_util.h"
#include "ui/window_placement.h"

void MigrateEarlierLauncherFiles(const std::string& folder) {
  static const char* const kPairs[][2] = {
      {"dravo-settings.cfg", "korvo-settings.cfg"},
      {"dravo-games.cfg", "korvo-games.cfg"},
      {"dravo-combos.cfg", "korvo-combos.cfg"},
  };
  for (const auto& pair : kPairs) {
    std::string from = JoinPath(folder, pair[0]);
    std::string to = JoinPath(folder, pair[1]);
    if (FileExists(from) && !FileExists(to)) MoveFileNoReplace(from, to);  // failure: defaults are used
  }
}

std::string SingleInstanceName(const std::string& launcher_folder) {
  std::string folder = launcher_folder;
  for (char& c : folder)
    if (c == ':' || c == '\\') c = '_';
  return CutToUtf16Units("KORVO-" + LowerCaseText(folder), 590);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  bool named = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (EqualsNoCase(arg, "--fullscreen")) {
      result.screen = ScreenRequest::FullScreen;
    } else if (EqualsNoCase(arg, "--windowed")) {
      result.screen = ScreenRequest::Window;
    } else if (EqualsNoCase(arg, "--game")) {
      if (i + 1 < args.size()) {
        result.game = args[++i];
        named = true;
      }
    } else if (StartsWithNoCase(arg, "--game=")) {
      result.game = arg.substr(7);
      named = true;
    } else if (!arg.empty() && arg[0] != '-') {
      if (!named) {
        result.game = arg;
        named = true;
      }
    } else if (arg.empty() && !named) {
      named = true;  // an empty argument does not start with '-': it names an empty game
    }
  }
  result.game_named = named;
  return result;
}

ScreenRect RestoredWindowRect(ScreenRect saved, ScreenRect vs, ScreenRect work) {
  if (saved.w > 0 && saved.x + saved.w > vs.x + 100 && saved.y + 60 > vs.y && saved.x < vs.x + vs.w - 100 &&
      saved.y < vs.y + vs.h - 100)
    return KeepInsideWorkArea(saved, work, true);
  return {};
}

ScreenRect MainWindowRect(bool separate_options, int dpi, ScreenRect work, ScreenRect vs, ScreenRect saved) {
  if (ScreenRect restored = RestoredWindowRect(saved, vs, work); restored.w > 0) return restored;
  int w = (separate_options ? 860 : 1200) * dpi / 96;
  int h = (separate_options ? 720 : 800) * dpi / 96;
  w = std::min(w, work.w);
  h = std::min(h, work.h);
  return {work.x + (work.w - w) / 2, work.y + (work.h - h) / 2, w, h};
}
