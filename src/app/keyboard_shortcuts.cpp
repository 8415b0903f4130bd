#include "app/keyboard_shortcuts.h"

#include <algorithm>

#include "controls/pad_navigation.h"

std::vector<std::pair<std::string, std::string>> KeyboardShortcutRows() {
  std::vector<std::pair<std::string, std::string>> rows = {
      {"LAUNCHER", ""},
      {"Enter / Ctrl+Enter", "Play the selected game"},
      {"Double click", "Play the game"},
      {"Right click / Shift+F10", "Menu of the game (play options, favorite, desktop icon)"},
      {"Ctrl+D", "Toggle favorite"},
      {"Ctrl+F", "Search"},
      {"Ctrl+P", "Show or hide the picture of the game"},
      {"Ctrl+PgUp / Ctrl+PgDn", "Previous / next picture of the game"},
      {"F5", "Rescan games"},
      {"F9", "Settings"},
      {"", ""},
      {"PLAYER 1", "(the launcher's defaults)"},
      {"W  /  S  /  A  /  D", "Up / down / left / right (pad: D-pad and left stick)"},
      {"Num 4", "Button 1 (pad: X)"},
      {"Num 5", "Button 2 (pad: Y)"},
      {"Num 6", "Button 3 (pad: RB)"},
      {"Num 1", "Button 4 (pad: A)"},
      {"Num 2", "Button 5 (pad: B)"},
      {"Num 3", "Button 6 (pad: RT)"},
      {"Enter", "Start (pad: Start)"},
      {"Right Shift", "Insert coin (pad: Back)"},
      {"", ""},
      {"PLAYER 2", ""},
      {"Arrow keys", "Up / down / left / right"},
      {"U", "Button 1"},
      {"I", "Button 2"},
      {"O", "Button 3"},
      {"J", "Button 4"},
      {"K", "Button 5"},
      {"L", "Button 6"},
      {"Y", "Start"},
      {"H", "Insert coin"},
      {"", ""},
      {"MAME'S OWN KEYS", ""},
      {"F2", "Test switch (the service menu of the board)"},
      {"F3", "Soft reset"},
      {"Shift+F3", "Hard reset"},
      {"Tab", "MAME menu: input mapping, DIP switches, video options"},
      {"P", "Pause"},
      {"F10", "Throttle on / off"},
      {"F11", "Show frames per second"},
      {"F12", "Screenshot"},
      {"Alt+Enter", "Fullscreen / window"},
      {"F7 / Shift+F7", "Save / load a state"},
      {"Esc", "Quit the game"},
      {"", ""},
      {"NOTE", ""},
      // A list row does not wrap: the note takes two rows.
      {"", "The game keys can be changed in the Controls tab (Set Key / Set Pad, right click, Autofire for the buttons)"},
      {"", "or in MAME: Tab > Input (this Machine)."},
  };
  // The pad drives the launcher too: its part follows the launcher's keys.
  auto player1 = std::find_if(rows.begin(), rows.end(), [](const auto& row) { return row.first == "PLAYER 1"; });
  std::vector<std::pair<std::string, std::string>> pad = PadShortcutRows();
  pad.push_back({"", ""});
  rows.insert(player1, pad.begin(), pad.end());
  return rows;
}
