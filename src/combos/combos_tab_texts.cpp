#include "combos/combos_tab_texts.h"

std::string HowCombosWorkText() {
  static const char* const kLines[] = {
      "HOW COMBOS WORK",
      "Give a row a trigger (click its Keyboard or Pad cell) and the move of that row is played for you whenever "
      "you press the trigger in a game. Double-click a name to rename a combo.",
      "",
      "FILL A ROW",
      "\u2022 Load Character puts every move of a character into the rows. Or pick a Character and a Move below to "
      "set the selected row.",
      "\u2022 Or write your own Sequence: type it or use the buttons under the Sequence box. Steps are separated by "
      "commas, + presses buttons together.",
      "    Example: D, DR, R + HP   (the same as QCF + HP)",
      "\u2022 The short names (QCF, HP, DR, BN1 ...) are explained by the Legend button. The long names "
      "(Quarter-circle Forward, Heavy Punch) work as well. ~ is a short wait (one step, 30 ms by default).",
      "",
      "CHARGE MOVES (Guile, Blanka, Balrog, Vega, Cracker Jack)",
      "\"Hold L\" holds that direction for the Charge time (default 600 ms). If a charge move does not come out, "
      "raise the Charge time a little: the game needs its own minimum of charge.",
      "",
      "GOOD TO KNOW",
      "\u2022 Player Side: Left (default) = your character is on the left of the screen and looks right. Right = it "
      "is on the right and looks left; Left / Right then swap in the sequence.",
      "\u2022 Supers and Meteor Combos need super gauge.",
      "\u2022 The short number notation (236+HP) still works.",
      "",
      "Note: the move lists (Load Character) are from Street Fighter EX2 Plus. Combos are made for the Street "
      "Fighter games; other games can use them too, but the characters, moves and the button names are Street "
      "Fighter's.",
  };
  std::string text;
  for (const char* line : kLines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

const std::vector<std::pair<std::string, std::string>>& ComboLegendRows() {
  static const std::vector<std::pair<std::string, std::string>> kRows = {
    {"DIRECTIONS", ""},
    {"", "for Player Side Left (the character looks right); Left and Right swap when Player Side is Right"},
    {"U", "Up"},
    {"D", "Down"},
    {"L", "Left"},
    {"R", "Right"},
    {"UL", "Up-Left"},
    {"UR", "Up-Right"},
    {"DL", "Down-Left"},
    {"DR", "Down-Right"},
    {"F", "Forward (towards the opponent)"},
    {"B", "Back (away from the opponent)"},
    {"N", "Neutral"},
    {"BUTTONS", ""},
    {"LP", "Light Punch (Button 1)"},
    {"MP", "Medium Punch (Button 2)"},
    {"HP", "Heavy Punch (Button 3)"},
    {"LK", "Light Kick (Button 4)"},
    {"MK", "Medium Kick (Button 5)"},
    {"HK", "Heavy Kick (Button 6)"},
    {"BN1 ... BN6", "Button 1 ... 6 of the Controls tab (the same buttons as LP ... HK)"},
    {"START", "The Start button"},
    {"MOTION PIECES", ""},
    {"Q", "Quarter"},
    {"H", "Half"},
    {"C", "Circle"},
    {"D (in front)", "Double (twice)"},
    {"CF", "Circle Forward"},
    {"CB", "Circle Back"},
    {"R (in front)", "Reverse"},
    {"DP", "Dragon Punch motion"},
    {"FCF / FCB", "Full Circle Forward / Back"},
    {"MOTIONS", ""},
    {"QCF", "Quarter-circle Forward  (D, DR, R)"},
    {"QCB", "Quarter-circle Back  (D, DL, L)"},
    {"HCF", "Half-circle Forward  (L, DL, D, DR, R)"},
    {"HCB", "Half-circle Back  (R, DR, D, DL, L)"},
    {"DP  or  FDP", "Dragon-punch Motion, forward  (R, D, DR)"},
    {"RDP  or  BDP", "Reverse Dragon-punch Motion, back  (L, D, DL)"},
    {"FCF", "Full Circle Forward  (R, DR, D, DL, L, UL)"},
    {"FCB", "Full Circle Back  (L, DL, D, DR, R, UR)"},
    {"DFC", "Double Full Circle  (two turns, forward)"},
    {"DQCF", "Double Quarter-circle Forward  (QCF twice)"},
    {"DQCB", "Double Quarter-circle Back  (QCB twice)"},
    {"SIGNS", ""},
    {"+", "Pressed together (QCF + HP)"},
    {",", "The next step"},
    {"~", "A short wait: one neutral step as long as Step (ms), 30 ms by default (~ ~ = 60 ms)"},
    {"Hold L", "Hold that direction for the Charge time (default 600 ms), for charge moves"},
  };
  return kRows;
}
