#include "settings/app_display_modes_win.h"

#include "base/display_modes_win.h"
#include "settings/app_state.h"

const DisplayModes& AppDisplayModes() {
  DisplayModes& modes = App().display_modes;
  if (modes.empty()) modes = QueryDisplayModes();
  return modes;
}
