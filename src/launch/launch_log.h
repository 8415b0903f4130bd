// korvo-launch.log: with Enable Logs on, every start leaves the full MAME
// command line and which of MAME's cfg files will steer the inputs, so a
// failed start can be understood afterwards.
#pragma once
#include <string>

#include "launch/mame_args.h"

// The log text for a start of `program` with `args` (set name first), and
// the options left out because this MAME does not have them.
std::string LaunchLogText(const std::string& program, const ArgList& args, const std::string& mame_folder,
                          const std::vector<std::string>& left_out = {});

// Writes the log for this start when `logs` is on; false only when it could not be written.
bool WriteLaunchLog(const Settings& settings, const ArgList& args, const std::vector<std::string>& left_out = {});

// Adds a line to the log of the last start (other events worth knowing about
// after it, such as a snapshot that could not be shown). The caller checks `logs`.
bool AppendLaunchLogLine(const std::string& line);

// The frontend mode's failure line "<text>: <detail>", replacing the log, when `logs` is on.
bool WriteFrontendFailureLog(const Settings& settings, const std::string& text, const std::string& detail);
