// The All MAME Options window: 48 of MAME's own options as a searchable list;
// OK stores the values that differ from MAME's defaults in
// App().settings.more_options.
#pragma once
#include <windows.h>

// True when the user pressed OK (the stored text may be unchanged).
bool OpenAllMameOptions(HWND owner);
