// Lower case for comparing texts without regard to case: the single-instance
// name, the search box and title comparisons all go through LowerCaseText,
// so that what one of them takes as the same text, the others do too.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Lower-cases a UTF-8 text as the platform does: on Windows through the
// system (the same folding the file system's case-insensitive names follow),
// elsewhere through LowerCaseWithTable.
std::string LowerCaseText(std::string_view utf8);

// The simple lower-case mapping of one code point of the Basic Multilingual
// Plane; every other code point maps to itself.
uint32_t SimpleLowerCase(uint32_t code_point);

// LowerCaseText by the built-in table alone. Malformed UTF-8 bytes are kept.
std::string LowerCaseWithTable(std::string_view utf8);
