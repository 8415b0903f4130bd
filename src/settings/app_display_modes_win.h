#pragma once
#include "base/display_modes.h"

// The screen's modes, asked of the display driver when first wanted (the
// options' Video page, a game's settings) rather than at every start.
const DisplayModes& AppDisplayModes();
