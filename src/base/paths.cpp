#include "base/paths.h"

#include "base/file_system.h"

namespace {
std::string g_launcher_folder;
}

void SetLauncherFolder(const std::string& folder) { g_launcher_folder = folder; }
const std::string& LauncherFolder() { return g_launcher_folder; }

std::string JoinPath(const std::string& first, const std::string& second) {
  std::string out = first;
  if (!out.empty() && out.back() != '\\' && out.back() != '/') out += '\\';
  out += second;
  return out;
}

bool IsAbsolutePath(const std::string& path) {
  if (path.empty()) return false;
  if (path[0] == '\\' || path[0] == '/') return true;
  char c = path[0];
  return path.size() >= 2 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

std::string ResolvePath(const std::string& path) {
  return IsAbsolutePath(path) ? path : JoinPath(g_launcher_folder, path);
}

std::string LogsPath(const std::string& name) {
  std::string folder = JoinPath(g_launcher_folder, "logs");
  CreateFolder(folder);
  return JoinPath(folder, name);
}

std::string PluginsPath(const std::string& name) {
  std::string folder = JoinPath(g_launcher_folder, "korvo-plugins");
  CreateFolder(folder);
  return JoinPath(folder, name);
}

std::string ShortUtf8Path(const std::string& path) {
  std::string chosen = path;
  bool non_ascii = false;
  for (unsigned char c : path) non_ascii |= c >= 0x80;
  if (non_ascii) {
    TouchFile(path);
    if (auto short_name = ShortPathName(path); short_name && !short_name->empty()) chosen = *short_name;
  }
  for (char& c : chosen)
    if (c == '\\') c = '/';
  return chosen;
}
