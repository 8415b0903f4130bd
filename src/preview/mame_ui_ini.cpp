#include "preview/mame_ui_ini.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "launch/mame_location.h"
#include "options/mame_options.h"
#include "settings/settings.h"

namespace {
std::vector<std::string> FoldersOf(std::string_view list, const Settings& settings) {
  std::vector<std::string> folders;
  const std::string mame = MameFolder(settings);
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = std::min(list.find(';', start), list.size());
    std::string piece = Trim(list.substr(start, end - start));
    start = end + 1;
    if (piece.empty()) continue;
    std::string folder = IsAbsolutePath(piece) ? piece : JoinPath(mame, piece);
    std::replace(folder.begin(), folder.end(), '/', '\\');
    folders.push_back(folder);
  }
  return folders;
}
}  // namespace

UiOptions ParseUiIni(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // MAME writes ui.ini with a byte-order mark
  UiOptions options;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = TrimNarrow(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    size_t blank = line.find_first_of(" \t");
    std::string_view name = line.substr(0, blank);
    std::string_view value = blank == std::string_view::npos ? std::string_view() : TrimNarrow(line.substr(blank));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    options[std::string(name)] = std::string(value);
  }
  return options;
}

std::string FindUiIni(const Settings& settings) {
  std::string path = GetMameOption(settings.more_options, "inipath");
  for (const std::string& folder : FoldersOf(path.empty() ? ".;ini;ini/presets" : path, settings)) {
    std::string file = JoinPath(folder, "ui.ini");
    if (FileExists(file) && !IsFolder(file)) return file;
  }
  return "";
}

UiOptions ReadMameUiOptions(const Settings& settings) {
  std::string path = FindUiIni(settings);
  std::optional<std::string> text = path.empty() ? std::nullopt : ReadWholeFile(path);
  return text ? ParseUiIni(*text) : UiOptions{};
}

std::vector<std::string> UiFolders(const UiOptions& options, const char* name, std::string_view fallback,
                                   const Settings& settings) {
  auto found = options.find(name);
  return FoldersOf(found != options.end() ? std::string_view(found->second) : fallback, settings);
}
