#pragma once
#include "app/startup.h"

// The primary display's modes, filtered and sorted (see CollectDisplayModes).
DisplayModes QueryDisplayModes();
