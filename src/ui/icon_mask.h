// The launcher's icons, drawn from vector shapes on a 24 × 24 design grid:
// no bitmap resources, any size.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

enum IconIndex : int {
  kIconRefresh = 0,
  kIconStar = 1,  // favourites: outline, or filled for a favourite
  kIconPlay = 2,
  kIconStop = 3,
  kIconFullscreen = 4,
  kIconSettings = 5,
  kIconVideo = 6,
  kIconControls = 7,
  kIconCombos = 8,
  kIconAvailable = 9,  // status: ROMs present
  kIconMissing = 10,   // status: ROMs missing
  kIconAvailableOnly = 11,
  kIconAudio = 12,
  kIconChecked = 13,  // status: checked and found good
  kIconDamaged = 14,  // status: present, but damaged or incomplete
  kIconNotChecked = 15,  // status: present, but the check could not read it
  kIconUnknown = 16,     // status: present, but not a set this MAME knows
};
constexpr int kIconCount = 17;

// A size × size 8-bit coverage mask, row by row (0 = empty, 255 = covered);
// empty for an unknown icon or a size below 1. `filled` matters for the star only.
std::vector<uint8_t> IconMask(int icon, bool filled, int size);

// Masks at one size, drawn on first use and kept; asking for another size
// drops them all.
class IconMaskCache {
 public:
  // The mask, or an empty one for an unknown icon. The reference stays valid
  // until a mask of another size is asked for.
  const std::vector<uint8_t>& Get(int icon, bool filled, int size);

 private:
  int size_ = 0;
  std::array<std::vector<uint8_t>, 2 * kIconCount> slots_;
  std::vector<uint8_t> none_;
};
