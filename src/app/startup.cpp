#include "app/startup.h"

#include <algorithm>

#include "app/file_system.h"
#include "app/paths.h"
#include "app/text_util.h"

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
  return CutToUtf16Units("KORVO-" + ToLowerUtf8(folder), 590);
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

DisplayModes CollectDisplayModes(const std::vector<DisplayMode>& reported) {
  DisplayModes modes;
  modes.reserve(32);
  for (const DisplayMode& m : reported) {
    if (m.width < 640 || m.height < 480 || m.bits < 16) continue;
    std::pair<int, int> wh{m.width, m.height};
    if (std::find(modes.begin(), modes.end(), wh) == modes.end()) modes.push_back(wh);
  }
  if (modes.empty())
    modes = {{640, 480},  {800, 600},  {1024, 768}, {1152, 864}, {1280, 720},  {1280, 960},
             {1280, 1024}, {1366, 768}, {1600, 900}, {1600, 1200}, {1920, 1080}};
  std::sort(modes.begin(), modes.end());
  return modes;
}

ScreenRect MainWindowRect(bool separate_options, int dpi, ScreenRect work, ScreenRect vs, ScreenRect saved) {
  if (saved.w > 0 && saved.x + saved.w > vs.x + 100 && saved.y + 60 > vs.y && saved.x < vs.x + vs.w - 100 &&
      saved.y < vs.y + vs.h - 100)
    return saved;
  int w = (separate_options ? 860 : 1200) * dpi / 96;
  int h = (separate_options ? 720 : 800) * dpi / 96;
  w = std::min(w, work.w);
  h = std::min(h, work.h);
  return {work.x + (work.w - w) / 2, work.y + (work.h - h) / 2, w, h};
}
