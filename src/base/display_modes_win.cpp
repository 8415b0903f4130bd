#include <windows.h>

#include "base/display_modes_win.h"

DisplayModes QueryDisplayModes() {
  std::vector<DisplayMode> reported;
  DEVMODEW mode;
  mode.dmSize = sizeof mode;
  for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
    reported.push_back({static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                        static_cast<int>(mode.dmBitsPerPel)});
  return CollectDisplayModes(reported);
}
