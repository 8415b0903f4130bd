// The common text-input dialog: a title, a prompt line, an edit field and
// OK / Cancel. Used for names of profiles and combos and for option values.
#pragma once
#include <windows.h>

#include <string>

// `text` holds the initial text and receives the trimmed answer. The edit
// takes at most `buffer_size` - 1 characters (UTF-16 units). OK is accepted
// only with a non-empty answer, unless `allow_empty` (where an empty value
// means something, such as "back to the default"). True when OK was pressed.
bool TextPrompt(HWND owner, const std::string& title, const std::string& prompt, std::string& text,
                int buffer_size, bool allow_empty = false);
