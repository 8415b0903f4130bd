// The sequence pad of the Combos tab: 26 buttons that write short names into
// the Sequence box, with the spacing a person would type ("QCF + HP, HP"),
// and a Del button that takes the last piece away again.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

struct PadButton {
  const char* token;    // the text it inserts ("QCF"), or "Del"
  int row, place;       // 0..2, 0..9
  const char* tooltip;
};
constexpr int kPadRows = 3, kPadPlaces = 10;
// In reading order, row by row; empty places have no button.
std::span<const PadButton> SequencePadButtons();

struct PadEdit {
  std::string text;
  size_t caret = 0;  // byte offset into text
};

// Inserts a token at the selection [start, end) (byte offsets of the UTF-8
// text; out-of-range values are clamped). "+" and "," are refused where they
// would start the text or follow another sign: the text then stays as it is.
PadEdit PadInsert(std::string_view text, size_t start, size_t end, std::string_view token);
// Del: removes the last piece before the caret (or the selection, when there
// is one) and closes the gap with a fitting separator.
PadEdit PadDelete(std::string_view text, size_t start, size_t end);
