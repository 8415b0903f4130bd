// The rows of Help > Keyboard Shortcuts: the launcher's keys, the default
// game keys of both players and MAME's own keys.
#pragma once
#include <string>
#include <utility>
#include <vector>

std::vector<std::pair<std::string, std::string>> KeyboardShortcutRows();
