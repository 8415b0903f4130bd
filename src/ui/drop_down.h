// The rules of a drop-down list field, apart from its window: which entry a
// key chooses, and where its list opens.
#pragma once
#include <string>
#include <vector>

enum class DropDownKey { Up, Down, Home, End, PageUp, PageDown };

// The entry a key moves to among `count` entries from `current` (-1: none
// chosen), `page` entries to a page; stays within the list. -1 when the list
// is empty.
int DropDownStep(DropDownKey key, int current, int count, int page);

// Typing a letter: the next entry after `current` whose text (UTF-8) starts
// with it, in any case, going round to the top; -1 when none does.
int DropDownEntryByLetter(const std::vector<std::string>& entries, int current, char32_t letter);

struct DropDownRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// The open list: under the field, or above it when the screen has more room
// there; as wide as the field (never narrower than `min_w`), high enough for
// every entry up to `most_rows`, less where the screen ends.
DropDownRect DropDownListRect(const DropDownRect& field, int entries, int row_h, int most_rows, int border,
                              int min_w, const DropDownRect& screen);
