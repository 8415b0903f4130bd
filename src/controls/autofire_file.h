// korvo-autofire.cfg: the real sequences of the autofire buttons, kept beside
// default.cfg while the combos plugin holds those buttons as NONE there.
#pragma once
#include <string>

#include "controls/input_mapping.h"

// korvo-autofire.cfg text (the real sequence of every autofire button) and
// its reading into a freshly loaded mapping.
std::string FormatAutofireFile(const InputMapping& m);
void ApplyAutofireFile(InputMapping& m, const std::string& text);
