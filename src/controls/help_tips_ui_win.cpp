#include "controls/help_tips_ui_win.h"

#include <commctrl.h>

#include "base/utf16_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

void AddTitledTooltip(HWND control, const std::string& title, const std::string& text) {
  if (!control) return;
  HWND tips = CreateTooltips(GetParent(control));
  if (!tips) return;
  AddTooltip(tips, control, text);
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, S(360));
  SendMessageW(tips, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(Utf8ToUtf16(title).c_str()));
}
