// The built-in move lists (generic moves and 25 characters) that fill combo
// rows from the Combos tab and give the combos their start values.
#pragma once
#include <span>
#include <string_view>

struct ComboMove {
  const char* kind;  // Special, Super, Meteor, Guard Break, Throw, Excel
  const char* name;
  const char* seq;   // number notation
  const char* hint;  // the input in the game's own shorthand
};

struct MoveList {
  const char* character;
  std::span<const ComboMove> moves;
};

constexpr const char* kGenericMovesName = "Generic Moves";

// "Generic Moves" first, then the 25 characters in menu order.
std::span<const MoveList> AllMoveLists();
// The list of a character (or "Generic Moves"), compared without case; null when unknown.
const MoveList* FindMoveList(std::string_view character);
