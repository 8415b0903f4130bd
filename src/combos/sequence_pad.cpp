#include "combos/sequence_pad.h"

#include <algorithm>

#include "base/text_util.h"
#include "combos/combo_sequence.h"

namespace {

constexpr PadButton kButtons[] = {
    {"UL", 0, 0, "Up-Left"},
    {"U", 0, 1, "Up"},
    {"UR", 0, 2, "Up-Right"},
    {"LP", 0, 3, "Light Punch (Button 1)"},
    {"MP", 0, 4, "Medium Punch (Button 2)"},
    {"HP", 0, 5, "Heavy Punch (Button 3)"},
    {"HCB", 0, 6, "Half-circle Back"},
    {"HCF", 0, 7, "Half-circle Forward"},
    {"~", 0, 8, "A short wait between two steps: one neutral step as long as Step (ms)"},
    {"Del", 0, 9, "Removes the last step, button or direction of the Sequence"},
    {"L", 1, 0, "Left"},
    {"R", 1, 2, "Right"},
    {"LK", 1, 3, "Light Kick (Button 4)"},
    {"MK", 1, 4, "Medium Kick (Button 5)"},
    {"HK", 1, 5, "Heavy Kick (Button 6)"},
    {"QCB", 1, 6, "Quarter-circle Back (D, DL, L)"},
    {"QCF", 1, 7, "Quarter-circle Forward (D, DR, R)"},
    {"+", 1, 8, "Pressed together: written between buttons / directions of one step (QCF + HP)"},
    {"START", 1, 9, "Start button"},
    {"DL", 2, 0, "Down-Left"},
    {"D", 2, 1, "Down"},
    {"DR", 2, 2, "Down-Right"},
    {"FCB", 2, 6, "Full Circle Back (L, DL, D, DR, R, UR)"},
    {"FCF", 2, 7, "Full Circle Forward (R, DR, D, DL, L, UL)"},
    {",", 2, 8, "Starts the next step"},
    {"Hold", 2, 9,
     "Hold the next direction for the Charge time (charge moves): Hold, then a direction, e.g. Hold DL, R + HP"},
};

bool IsSign(char c) { return c == '+' || c == ','; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimEnd(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
std::string_view TrimStart(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}
// Blanks and signs off the end: what is left when a word before them went.
std::string_view TrimSeparatorsEnd(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || IsSign(s.back()))) s.remove_suffix(1);
  return s;
}

// The word a new token would follow: empty after ")" or when it is too long
// to be a name.
std::string_view LastWord(std::string_view before) {
  size_t cut = before.find_last_of(" \t)+,");
  std::string_view word = cut == std::string_view::npos ? before : before.substr(cut + 1);
  return word.size() >= 24 ? std::string_view() : word;
}

std::string SeparatorBefore(std::string_view before, std::string_view token) {
  if (before.empty()) return "";
  char last = before.back();
  if (IsSign(last)) return " ";
  std::string_view word = LastWord(before);
  if (EqualsNoCase(word, "Hold")) return " ";
  if (!IsComboButtonName(token)) return ", ";
  bool joins = last == ')' || (!word.empty() && !IsComboButtonName(word) && word != "~");
  return joins ? " + " : ", ";
}

std::string SeparatorAfter(std::string_view after, std::string_view token) {
  if (after.empty() || after.front() == ',') return "";
  if (after.front() == '+' || EqualsNoCase(token, "Hold")) return " ";
  return ", ";
}

// Removes one piece from the end of `before`: a dangling sign, then a
// parenthesised group, then the word in front of them.
std::string_view RemoveLastPiece(std::string_view before) {
  std::string_view start = before;
  if (!before.empty() && IsSign(before.back())) before = TrimEnd(before.substr(0, before.size() - 1));
  if (!before.empty() && before.back() == ')') {
    int depth = 0;
    size_t open = std::string_view::npos;
    for (size_t i = before.size(); i-- > 0;) {
      if (before[i] == ')') ++depth;
      if (before[i] == '(' && --depth == 0) {
        open = i;
        break;
      }
    }
    before = open == std::string_view::npos ? before.substr(0, before.size() - 1) : TrimEnd(before.substr(0, open));
  }
  size_t cut = before.find_last_of(" \t(+,");
  before = TrimSeparatorsEnd(cut == std::string_view::npos ? std::string_view() : before.substr(0, cut + 1));
  if (before.size() == start.size()) {
    // Nothing matched a piece (a lone "(" for one): the last character goes,
    // so that every press takes something away.
    size_t last = before.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(before[last]) & 0xC0) == 0x80) --last;
    before = TrimSeparatorsEnd(before.substr(0, last));
  }
  return before;
}

}  // namespace

std::span<const PadButton> SequencePadButtons() { return kButtons; }

PadEdit PadInsert(std::string_view text, size_t start, size_t end, std::string_view token) {
  end = std::min(end, text.size());
  start = std::min(start, end);
  std::string_view before = TrimEnd(text.substr(0, start)), after = TrimStart(text.substr(end));
  if (token == "+" || token == ",") {
    if (before.empty() || IsSign(before.back())) return {std::string(text), end};
    bool room_after = !after.empty() && after.front() != token.front();
    std::string joined = std::string(before) + (token == "+" ? " +" : ",");
    size_t caret = joined.size();
    if (room_after) joined += ' ';
    return {joined + std::string(after), caret};
  }
  std::string joined = std::string(before) + SeparatorBefore(before, token) + std::string(token);
  size_t caret = joined.size();
  joined += SeparatorAfter(after, token);
  return {joined + std::string(after), caret};
}

PadEdit PadDelete(std::string_view text, size_t start, size_t end) {
  end = std::min(end, text.size());
  start = std::min(start, end);
  std::string_view before = TrimEnd(text.substr(0, start)), after = TrimStart(text.substr(end));
  if (start == end) {
    if (before.empty()) return {std::string(text), start};
    before = RemoveLastPiece(before);
  } else if (!before.empty() && IsSign(before.back())) {
    // The selection went; a sign left hanging in front of it goes too.
    before = TrimEnd(before.substr(0, before.size() - 1));
  }
  if (before.empty()) {
    while (!after.empty() && (IsBlank(after.front()) || IsSign(after.front()))) after.remove_prefix(1);
    return {std::string(after), 0};
  }
  std::string joined(before);
  size_t caret = joined.size();
  if (!after.empty()) joined += after.front() == ',' ? "" : after.front() == '+' ? " " : ", ";
  return {joined + std::string(after), caret};
}
