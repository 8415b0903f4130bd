// The Combos tab's own words: intro, tooltips, the help text and the legend.
#pragma once
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kCombosIntro =
    "Give a row a trigger (click its Keyboard or Pad cell): while a game runs, pressing it plays the move of that "
    "row for you. Double-click a name to rename it.";

inline constexpr const char* kTipLegend = "What the short names (QCF, HP, DR, BN1 ...) stand for.";
inline constexpr const char* kTipHowItWorks = "How the triggers, the sequences and the charge moves work.";
inline constexpr const char* kTipStep =
    "How long each step of a sequence is held (default 30 ms). The game must see a step for at least one frame: "
    "with a slow game raise it.";
inline constexpr const char* kTipCharge =
    "How long \"Hold\" (4*C) steps keep a direction pressed: charge moves (Guile, Blanka ...). Default 600 ms; "
    "raise it a little if a charge move does not come out.";
inline constexpr const char* kTipLoadCharacter =
    "Puts every move of a character (Street Fighter EX2 Plus move lists) into the rows, most important first. The "
    "triggers stay.";
inline constexpr const char* kTipCharacter =
    "The character whose move list the Move box shows (Generic Moves: moves that most games share).";
inline constexpr const char* kTipMove = "Choose a move: it goes into the chosen row.";
inline constexpr const char* kTipSequence =
    "The moves in words, e.g. Down, Down-Right, Right + Heavy Punch (or QCF + HP, or 236+HP). Steps are separated "
    "by commas, + presses together.";
inline constexpr const char* kTipPlaysFor = "The player whose buttons the combo presses.";
inline constexpr const char* kTipPlayerSide =
    "Left (default): your character is on the left of the screen and looks right. Right: it is on the right and "
    "looks left; Left / Right then swap in the sequence.";
inline constexpr const char* kTipDefaults =
    "Gives the combos their start values: the Ryu move list, the keys 1 ... 9 as triggers.";

inline constexpr const char* kCombosDefaultsQuestion =
    "Restore the combos to their defaults?\n\nAll rows, triggers and the step / charge times of the Combos tab go "
    "back to the start values (the keys 1 ... 9 as triggers). Other tabs are not touched.";

// The "How Combos Work" box, lines joined by line feeds.
std::string HowCombosWorkText();
// The Legend window's rows (short name, meaning); an empty meaning marks a section title.
const std::vector<std::pair<std::string, std::string>>& ComboLegendRows();
