// The game list's icons as 32-bit image lists with premultiplied alpha.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Image 0: ROMs available (green disc with a check); 1: missing (red disc with a cross).
HIMAGELIST StatusImageList(int size);
// Image 0: outline star in `outline`; 1: filled star in `filled`.
HIMAGELIST FavoriteImageList(int size, COLORREF outline, COLORREF filled);
