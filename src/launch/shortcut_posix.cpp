// Where there are no shell links the shortcut is a desktop entry file with
// the same target, arguments, folder, icon and description.
#include <unistd.h>

#include <cstdlib>

#include "base/file_system.h"
#include "launch/shortcut.h"

const char kShortcutExtension[] = ".desktop";

std::optional<std::string> DesktopFolder() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::nullopt;
  std::string desktop = std::string(home) + "/Desktop";
  if (!IsFolder(desktop)) return std::nullopt;
  return desktop;
}

std::string LauncherProgramPath() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

bool WriteShortcutFile(const ShortcutPlan& plan, std::string& reason) {
  std::string text = "[Desktop Entry]\nType=Application\nName=" + plan.description + "\nExec=\"" + plan.target +
                     "\" " + plan.arguments + "\nPath=" + plan.working_folder + "\nIcon=" + plan.icon +
                     "\nComment=" + plan.description + "\n";
  if (WriteFileAtomic(plan.file, text)) return true;
  reason = "Windows could not create the shortcut (error 0x80004005).";
  return false;
}
