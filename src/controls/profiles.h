// Mapping profiles: whole mappings saved under a name as files in the
// "profiles" folder beside the launcher.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "controls/input_mapping.h"

constexpr size_t kProfileNameMax = 60;    // characters after cleaning
constexpr size_t kProfileListMax = 128;   // names offered
constexpr size_t kProfileListNameMax = 63;

// Cleans a typed name: no control or reserved characters, no blanks at the
// ends, at most 60 characters, no trailing dots. Empty when nothing is left.
void SanitizeProfileName(std::string& name);

std::string ProfilesFolder();
std::string ProfilePath(const std::string& name);

bool ProfileExists(const std::string& name);
std::optional<std::string> ReadProfile(const std::string& name);
bool SaveProfile(const std::string& name, const InputMapping& m);
bool RenameProfile(const std::string& old_name, const std::string& new_name);
bool DeleteProfile(const std::string& name);
// Names of the profile files, sorted without regard to case, at most `max`.
std::vector<std::string> ListProfiles(size_t max = kProfileListMax);

// Whether the chosen profile no longer holds the mapping (Save is offered then).
bool ProfileDiffersFromMapping(const std::string& name, const InputMapping& m);
