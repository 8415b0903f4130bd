// Pictures of the sequence pad's buttons, drawn from vector shapes on a 24 × 24
// design grid: arrows for the eight directions, arcs for the motions.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// A size × size 8-bit coverage mask, row by row; empty for a button that shows
// its text instead (buttons, signs, Hold, Del) or a size below 1.
std::vector<uint8_t> PadPictureMask(std::string_view token, int size);
