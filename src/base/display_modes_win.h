#pragma once
#include "base/display_modes.h"

// The primary display's modes, filtered and sorted (see CollectDisplayModes).
DisplayModes QueryDisplayModes();
