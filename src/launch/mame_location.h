// Where the MAME program and its folders are. Every caller that starts or
// configures MAME goes through these so that one `mame_exe` setting (or the
// usual places beside the launcher) decides for all of them.
#pragma once
#include <string>

struct Settings;

// The path of mame.exe. With `mame_exe` set, that path (resolved against the
// launcher folder) and whether it is an existing file (a folder is not).
// Otherwise the first existing of mame.exe, mame\mame.exe, mame64.exe,
// mame\mame64.exe beside the launcher; when none exists the path is the
// launcher folder's mame.exe (messages still show it) and the result is false.
bool LocateMameProgram(const Settings& settings, std::string& path);
bool LocateMameProgram(std::string& path);  // the process-wide settings
// Whether the process-wide settings find a MAME program.
bool MameFound();

// MAME's folder: the program path's folder with `/` made `\`. A drive root
// keeps its backslash; a path without any folder gives the launcher folder.
std::string MameFolder(const Settings& settings);
std::string MameFolder();

// The first entry of `roms_directory` (resolved), or MAME's own "roms" folder.
std::string MameRomsFolder(const Settings& settings);
std::string MameRomsFolder();
