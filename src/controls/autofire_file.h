// korvo-autofire.cfg: the real sequences of the autofire buttons, kept beside
// default.cfg while the combos plugin holds those buttons as NONE there.
#pragma once
#include <string>
#include <string_view>

#include "controls/input_mapping.h"

// korvo-autofire.cfg text (the real sequence of every autofire button) and
// its reading (in any editor's encoding) into a freshly loaded mapping, which
// returns how many lines were taken.
std::string FormatAutofireFile(const InputMapping& m);
size_t ApplyAutofireFile(InputMapping& m, std::string_view bytes);
