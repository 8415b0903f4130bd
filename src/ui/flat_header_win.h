// The column header of every list, painted flat in the look's colours: the
// panel colour, a separator after each column, the sort triangle, and the
// toolbar's hot and pushed colours under the pointer and while pressed.
// The visual style's header items cost several ms per paint under Wine,
// paid again whenever a list's scroll bar comes or goes.
#pragma once
#include <windows.h>

void FlatHeader(HWND header);
