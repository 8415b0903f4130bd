// The diagnostic input log plugin (korvo_diag): with logs on it records
// MAME's input devices, the player inputs' sequences and every press and
// release into logs\korvo-input.log.
#pragma once
#include <string>

// init.lua of the plugin appending to `outpath`.
std::string InputLogPluginScript(const std::string& outpath);

// Writes the plugin (deleting the old log) and gives the folder to add to
// -pluginspath; false when a file could not be written.
bool WriteInputLogPlugin(std::string& plugin_folder);
