#include "app/stand_ins_ui_win.h"

#include "ui/shell_win.h"

void WindowNotReady(const std::string& title) {
  ShowMessage("This window is not available in this version of Korvo yet.", title, MB_OK | MB_ICONINFORMATION);
}
