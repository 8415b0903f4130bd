// Where a window that the launcher opens again goes on the screen: a saved
// rectangle may come from another screen size, DPI or monitor arrangement.
#pragma once
#include "ui/layout_rect.h"

// `r` moved (no further than needed) wholly inside `work`, the work area of
// the monitor it is on. A window that may be resized is also shrunk to fit;
// one of a fixed size keeps it, with its top left (and so its title bar)
// inside.
LayoutRect KeepInsideWorkArea(LayoutRect r, const LayoutRect& work, bool may_shrink);
