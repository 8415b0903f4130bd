// Paths relative to the launcher's own folder, and the folders it keeps there.
#pragma once
#include <string>

// Set once at start-up, before any thread starts; only read afterwards.
void SetLauncherFolder(const std::string& folder);
const std::string& LauncherFolder();

// first + `\` (unless first is empty or already ends in a separator) + second.
std::string JoinPath(const std::string& first, const std::string& second);
// A drive letter and `:`, or a leading `\` or `/`.
bool IsAbsolutePath(const std::string& path);
// Absolute paths as they are; others joined to the launcher folder.
std::string ResolvePath(const std::string& path);

// Create "logs" / "korvo-plugins" in the launcher folder and join `name` to it.
std::string LogsPath(const std::string& name);
std::string PluginsPath(const std::string& name);

// A path to write into a MAME Lua script: MAME's Lua reads it as bytes, so
// paths with non-ASCII characters use the 8.3 short name when there is one
// (the file is created first so that it has one). Separators become `/`.
std::string ShortUtf8Path(const std::string& path);
