// The game list's icons as 32-bit image lists with premultiplied alpha.
#pragma once
#include <windows.h>
#include <commctrl.h>

// The status column's images, in RomStatus order: 0 ROMs present (green disc
// with a check), 1 missing (red disc with a cross), 2 checked good (green
// shield with a check), 3 present but damaged (amber warning sign).
HIMAGELIST StatusImageList(int size);
// Image 0: outline star in `outline`; 1: filled star in `filled`.
HIMAGELIST FavoriteImageList(int size, COLORREF outline, COLORREF filled);
