#include "romaudit/rom_audit_window_ui_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "base/utf16_win.h"
#include "romaudit/audit_texts.h"
#include "romaudit/parallel_check.h"
#include "romcheck/rom_check_report.h"
#include "settings/app_state.h"
#include "launch/mame_asker.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/shell_win.h"
#include "ui/table_window_ui_win.h"
#include "ui/ui_metrics_win.h"

namespace {

constexpr int kStatusId = 1001, kProgressId = 1002, kListId = 1003, kCopyId = 1004, kCloseId = 1005;
// From the audit's threads; lParam is a heap block the window takes.
constexpr UINT kRowMessage = WM_APP + 30, kProgressMessage = WM_APP + 31, kFinishedMessage = WM_APP + 32;
// The first size, and the smallest it can be made, in 96-DPI units.
constexpr int kWidth = 780, kHeight = 520, kMinWidth = 520, kMinHeight = 300;
constexpr int kFindingId = 1001;

// Details takes whatever width the others leave.
const TableColumn kColumns[kAuditColumnCount] = {{"Game", 270}, {"Set", 90}, {"Verdict", 150}, {"Details", 200}};

struct AuditWindow {
  ModalDialog dialog;
  HWND status = nullptr, progress = nullptr, list = nullptr, copy = nullptr, close = nullptr;
  std::vector<AuditRow> rows;
  AuditOutcome outcome;
  CollectionAudit audit;
  bool running = false, close_when_done = false;
  int sort_column = -1;
  bool ascending = true;
  std::wstring cell;  // the text handed to the list last
};

template <typename Block>
void Post(HWND window, UINT message, Block block) {
  auto* heap = new Block(std::move(block));
  if (!PostMessageW(window, message, 0, reinterpret_cast<LPARAM>(heap))) delete heap;
}

// Details fills the list's width, within its scroll bar: no sideways scrolling.
void FitDetails(AuditWindow& w) {
  RECT inside;
  GetClientRect(w.list, &inside);
  int others = 0;
  for (int c = 0; c < kAuditColumnCount - 1; ++c) others += ListView_GetColumnWidth(w.list, c);
  ListView_SetColumnWidth(w.list, kAuditColumnCount - 1, std::max<int>(S(80), inside.right - others));
}

void Layout(AuditWindow& w) {
  RECT c;
  GetClientRect(w.dialog.window, &c);
  const int width = c.right, height = c.bottom, margin = S(10);
  MoveWindow(w.status, margin, margin, width - 2 * margin, S(20), TRUE);
  MoveWindow(w.progress, margin, S(34), width - 2 * margin, S(16), TRUE);
  MoveWindow(w.list, margin, S(60), width - 2 * margin, std::max(S(40), height - S(106)), TRUE);
  MoveWindow(w.copy, margin, height - S(36), S(110), S(26), TRUE);
  MoveWindow(w.close, width - S(110), height - S(36), S(100), S(26), TRUE);
  FitDetails(w);
}

void ShowRows(AuditWindow& w) {
  if (w.sort_column >= 0) SortAuditRows(w.rows, static_cast<AuditColumn>(w.sort_column), w.ascending);
  ListView_SetItemCountEx(w.list, static_cast<int>(w.rows.size()), LVSICF_NOSCROLL);
  FitDetails(w);  // a vertical scroll bar may have come
  InvalidateRect(w.list, nullptr, FALSE);
}

// A set's whole finding, which the Details column may cut short.
void ShowFinding(AuditWindow& w, int index) {
  if (index < 0 || static_cast<size_t>(index) >= w.rows.size()) return;
  const AuditRow& row = w.rows[static_cast<size_t>(index)];
  ModalDialog d;
  if (!CreateModalDialog(d, w.dialog.window, row.title + " (" + row.set + ")", 640, 400)) return;
  AddDialogControl(d, L"EDIT", AuditRowText(row), ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                   10, 10, 620, 344, kFindingId, WS_EX_CLIENTEDGE);
  SetFocus(AddDialogControl(d, L"BUTTON", "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 550, 364, 80, 26, IDCANCEL));
  RunModalDialog(d);
}

void SetSortArrow(AuditWindow& w) {
  HWND header = ListView_GetHeader(w.list);
  for (int c = 0; c < kAuditColumnCount; ++c) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, c, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == w.sort_column) item.fmt |= w.ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header, c, &item);
  }
}

void Finish(AuditWindow& w, AuditOutcome outcome) {
  w.running = false;
  w.outcome = std::move(outcome);
  SetControlText(w.status, AuditSummaryText(w.rows, w.outcome));
  SendMessageW(w.progress, PBM_SETPOS, w.outcome.cancelled ? SendMessageW(w.progress, PBM_GETPOS, 0, 0) : 1000, 0);
  SetControlText(w.close, "Close");
  EnableWindow(w.close, TRUE);
  EnableWindow(w.copy, TRUE);
  // Cancel lost the focus when it was disabled: Close takes it, so Esc,
  // Return and Tab work again.
  HWND focus = GetFocus();
  if (GetActiveWindow() == w.dialog.window && (!focus || !IsChild(w.dialog.window, focus))) SetFocus(w.close);
  if (w.close_when_done) EndModalDialog(w.dialog, 0);
}

// Cancel while the audit runs (it stops within a moment and keeps what it
// judged); Close afterwards.
void CloseOrCancel(AuditWindow& w, bool closing) {
  if (!w.running) {
    EndModalDialog(w.dialog, 0);
    return;
  }
  w.close_when_done = w.close_when_done || closing;
  w.audit.Cancel();
  SetControlText(w.close, "Cancelling\xE2\x80\xA6");
  EnableWindow(w.close, FALSE);
}

bool OnMessage(AuditWindow& w, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case kRowMessage: {
      std::unique_ptr<AuditRow> row(reinterpret_cast<AuditRow*>(lparam));
      w.rows.push_back(std::move(*row));
      ShowRows(w);
      return true;
    }
    case kProgressMessage: {
      std::unique_ptr<AuditProgress> p(reinterpret_cast<AuditProgress*>(lparam));
      if (!w.running) return true;
      SetControlText(w.status, AuditProgressText(*p));
      SendMessageW(w.progress, PBM_SETPOS, p->total ? static_cast<WPARAM>(p->done * 1000 / p->total) : 0, 0);
      return true;
    }
    case kFinishedMessage: {
      std::unique_ptr<AuditOutcome> outcome(reinterpret_cast<AuditOutcome*>(lparam));
      Finish(w, std::move(*outcome));
      return true;
    }
    case WM_CLOSE:
      CloseOrCancel(w, true);
      *result = 0;
      return true;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED || !w.list) return false;
      Layout(w);
      if (wparam == SIZE_RESTORED) {  // kept for next time, in 96-DPI units
        App().settings.audit_window_w = MulDiv(LOWORD(lparam), 96, Ui().dpi);
        App().settings.audit_window_h = MulDiv(HIWORD(lparam), 96, Ui().dpi);
      }
      return false;
    case WM_GETMINMAXINFO: {
      RECT r = {0, 0, S(kMinWidth), S(kMinHeight)};
      AdjustWindowRectEx(&r, GetWindowLongW(w.dialog.window, GWL_STYLE), FALSE,
                         GetWindowLongW(w.dialog.window, GWL_EXSTYLE));
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
      return false;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) {  // Escape
        CloseOrCancel(w, true);
        *result = 0;
        return true;
      }
      if (LOWORD(wparam) == IDOK) {  // Return away from the buttons: on a row, its finding
        if (GetFocus() == w.list)
          ShowFinding(w, ListView_GetNextItem(w.list, -1, LVNI_SELECTED));
        else
          CloseOrCancel(w, false);
        *result = 0;
        return true;
      }
      return false;
  }
  return false;
}

bool OnCommand(AuditWindow& w, int id) {
  if (id == kCloseId) {
    CloseOrCancel(w, false);
    return true;
  }
  if (id == kCopyId) {
    if (!CopyTextToClipboard(w.dialog.window, AuditReportText(w.rows, w.outcome)))
      ShowMessageOver(w.dialog.window, "The clipboard is in use by another program: try again.", kAuditTitle,
                      MB_OK | MB_ICONWARNING);
    return true;
  }
  return false;
}

bool OnNotify(AuditWindow& w, NMHDR* header, LRESULT* result) {
  if (header->hwndFrom != w.list) return false;
  if (header->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    size_t row = static_cast<size_t>(info->item.iItem);
    if ((info->item.mask & LVIF_TEXT) && row < w.rows.size() && info->item.iSubItem < kAuditColumnCount) {
      w.cell = Utf8ToUtf16(AuditCellText(w.rows[row], static_cast<AuditColumn>(info->item.iSubItem)));
      info->item.pszText = w.cell.data();
    }
    return true;
  }
  if (header->code == NM_DBLCLK) {
    ShowFinding(w, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
    return true;
  }
  if (header->code == LVN_COLUMNCLICK) {
    int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    w.ascending = column == w.sort_column ? !w.ascending : true;
    w.sort_column = column;
    SetSortArrow(w);
    ShowRows(w);
    *result = 0;
    return true;
  }
  return false;
}

AuditSetup SetupFromSettings(const GameList& games) {
  AuditSetup setup;
  setup.mame = LocatedMameAsker(App().settings);
  setup.folders = RomSearchFolders(App().settings);
  setup.games = AuditGames(games);
  setup.store_path = AuditStorePath();
  setup.answers_path = MameAnswersPath();
  setup.threads = CheckThreads();
  return setup;
}

void Drain(HWND gone) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, kRowMessage, kFinishedMessage, PM_REMOVE)) {
    if (msg.hwnd != gone && IsWindow(msg.hwnd)) {
      DispatchMessageW(&msg);
      continue;
    }
    if (msg.message == kRowMessage) delete reinterpret_cast<AuditRow*>(msg.lParam);
    if (msg.message == kProgressMessage) delete reinterpret_cast<AuditProgress*>(msg.lParam);
    if (msg.message == kFinishedMessage) delete reinterpret_cast<AuditOutcome*>(msg.lParam);
  }
}

}  // namespace

void OpenRomAuditWindow(HWND owner, const GameList& games) {
  auto w = std::make_unique<AuditWindow>();
  ModalDialog& d = w->dialog;
  d.on_message = [&w = *w](ModalDialog&, UINT m, WPARAM wp, LPARAM lp, LRESULT* r) { return OnMessage(w, m, wp, lp, r); };
  d.on_command = [&w = *w](ModalDialog&, int id, int, HWND) { return OnCommand(w, id); };
  d.on_notify = [&w = *w](ModalDialog&, NMHDR* h, LRESULT* r) { return OnNotify(w, h, r); };
  // The size it was left at, within the screen's work area.
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Settings& s = App().settings;
  const int width = std::clamp<int>(s.audit_window_w > 0 ? s.audit_window_w : kWidth, kMinWidth,
                                    std::max(kMinWidth, MulDiv(work.right - work.left, 96, Ui().dpi) - 40));
  const int height = std::clamp<int>(s.audit_window_h > 0 ? s.audit_window_h : kHeight, kMinHeight,
                                     std::max(kMinHeight, MulDiv(work.bottom - work.top, 96, Ui().dpi) - 60));
  d.resizable = true;
  if (!CreateModalDialog(d, owner, kAuditTitle, width, height)) return;
  w->status = AddDialogControl(d, L"STATIC", AuditProgressText({}), SS_LEFT | SS_ENDELLIPSIS, 10, 10, width - 20, 20,
                               kStatusId);
  w->progress = AddDialogControl(d, PROGRESS_CLASSW, "", 0, 10, 34, width - 20, 16, kProgressId);
  SendMessageW(w->progress, PBM_SETRANGE32, 0, 1000);
  w->list = AddTableList(d, 10, 60, width - 20, height - 106, kListId, LVS_OWNERDATA);
  for (int c = 0; c < kAuditColumnCount; ++c) AddTableColumn(w->list, c, kColumns[c]);
  w->copy = AddDialogControl(d, L"BUTTON", "Copy Report", BS_PUSHBUTTON | WS_TABSTOP, 10, height - 36, 110, 26, kCopyId);
  EnableWindow(w->copy, FALSE);
  w->close = AddDialogControl(d, L"BUTTON", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, width - 110, height - 36, 100,
                              26, kCloseId);
  Layout(*w);

  HWND window = d.window;
  AuditEvents events;
  events.row = [window](AuditRow row) { Post(window, kRowMessage, std::move(row)); };
  events.progress = [window](const AuditProgress& p) { Post(window, kProgressMessage, p); };
  events.finished = [window](AuditOutcome outcome) { Post(window, kFinishedMessage, std::move(outcome)); };
  w->running = w->audit.Start(SetupFromSettings(games), std::move(events));
  if (!w->running) Finish(*w, AuditOutcome{0, 0, false, {"The check could not be started (no thread)."}});
  SetFocus(w->close);
  RunModalDialog(d);
  // The window closes only once the audit has ended; nothing is left running.
  w->audit.Cancel();
  w->audit.Wait();
  Drain(window);
}
