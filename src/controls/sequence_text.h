// Small helpers for MAME sequence texts ("KEYCODE_A OR JOYCODE_1_BUTTON1").
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The " OR "-separated parts of a text, empty parts dropped.
std::vector<std::string> SplitAlternatives(std::string_view text);
// Non-empty parts joined with " OR ".
std::string JoinAlternatives(const std::vector<std::string>& parts);
// Cut to at most `max` bytes without splitting a UTF-8 character.
std::string CutBytes(std::string_view text, size_t max);
// Whether a part can be written between MAME's XML tags as it is.
bool IsSafeSequencePart(std::string_view part);
// Keeps only the parts that are safe to write, joined with " OR " and
// within `max` bytes (parts that do not fit are dropped whole).
std::string SafeAlternatives(std::string_view text, size_t max);
