// The screen modes offered for the resolution choices.
#pragma once
#include <utility>
#include <vector>

struct DisplayMode {
  int width = 0, height = 0, bits = 0;
  bool operator==(const DisplayMode&) const = default;
};
using DisplayModes = std::vector<std::pair<int, int>>;
// Distinct modes of at least 640x480 at 16 bits, sorted; the fixed list when none qualifies.
DisplayModes CollectDisplayModes(const std::vector<DisplayMode>& reported);
