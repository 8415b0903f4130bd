// The profile row of the Controls tab (396-400).
#pragma once
#include <optional>
#include <string>

// Refills the Profile drop-down and chooses `name` (None without one).
void RefreshProfileList(const std::optional<std::string>& name);
// Rename and Delete need a profile; Save also a difference from it.
void UpdateProfileButtons();
// The profile row's commands (396-400).
void ProfileRowCommand(int id, int code);
