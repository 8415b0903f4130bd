#include "romcheck/rom_check_window_ui_win.h"

#include "romcheck/rom_check_report.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"

namespace {
constexpr int kReportId = 1001;

// The task owns its copy of the context; the report reaches the window by a
// posted message, or is dropped by PostReportText when the window is gone.
void StartReport(HWND window, RomCheckContext context) {
  StartRomCheckTask(std::move(context), [window](std::string report) { PostReportText(window, kReportId, report); });
}
}  // namespace

void OpenRomCheckWindow(HWND owner, const GameList& games, const GameEntry& entry) {
  // Everything the worker needs is taken here, on the thread that owns the settings.
  RomCheckContext context = MakeRomCheckContext(entry, App().settings, App().game_settings, games);
  ModalDialog d;
  if (!CreateModalDialog(d, owner, kCheckRomSetTitle, 640, 460)) return;
  const bool has_zips = !context.zips.empty();
  AddDialogControl(d, L"EDIT", has_zips ? kCheckingText : kNoRomSetText,
                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, 10, 10, 620, 400,
                   kReportId, WS_EX_CLIENTEDGE);
  HWND close = AddDialogControl(d, L"BUTTON", "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 550, 420, 80, 26, IDCANCEL);
  SetFocus(close);  // the report is not selected when it arrives
  if (has_zips) StartReport(d.window, std::move(context));
  RunModalDialog(d);
}
