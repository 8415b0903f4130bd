#include "options/mame_options_window_ui_win.h"

#include <commctrl.h>

#include "launch/mame_asker.h"
#include "options/option_list_ui_win.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"
#include "ui/text_prompt_ui_win.h"

namespace {
enum : int { kSearchId = 1001, kResetAllId, kListId, kDescriptionId, kEditId, kResetValueId };
constexpr int kWidth = 720;
constexpr int kColumns[4] = {150, 190, 150, 150};

struct MameOptionsWindow {
  ModalDialog d;
  MameOptionValues values;
  std::vector<bool> not_in_mame;  // per table row
  HWND list = nullptr, search = nullptr, description = nullptr;
};

// List items carry their table row, so a filtered list maps back to the table.
size_t TableRowOf(HWND list, int item) {
  LVITEMW lv = {};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  ListView_GetItem(list, &lv);
  return static_cast<size_t>(lv.lParam);
}

void FillList(MameOptionsWindow& w) {
  SendMessageW(w.list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(w.list);
  int item = 0;
  for (size_t row : FilterMameOptions(ControlText(w.search)))
    SetOptionListRow(w.list, item++, MameOptionRowTexts(row, w.values), true, static_cast<LPARAM>(row));
  SendMessageW(w.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(w.list, nullptr, TRUE);
}

void ShowItem(MameOptionsWindow& w, int item) {
  SetOptionListRow(w.list, item, MameOptionRowTexts(TableRowOf(w.list, item), w.values), false);
}

void EditSelectedRow(MameOptionsWindow& w) {
  int item = SelectedListRow(w.list);
  if (item < 0) return;
  const size_t row = TableRowOf(w.list, item);
  const MameOption& option = MameOptionTable()[row];
  if (option.kind == MameOptionKind::OnOff) {
    ToggleMameOptionValue(w.values, row);
  } else {
    std::string text = w.values.values[row];
    // An empty answer is allowed: it gives the option MAME's default again.
    if (!TextPrompt(w.d.window, kMameOptionPromptTitle, MameOptionPromptText(option), text,
                    kMameOptionPromptBufferSize, true))
      return;
    if (!EditMameOptionValue(w.values, row, text)) {
      ShowMessageOver(w.d.window, kMameOptionInvalidMessage, kMameOptionPromptTitle, MB_OK | MB_ICONWARNING);
      return;
    }
  }
  ShowItem(w, item);
}

bool Command(MameOptionsWindow& w, int id, int code) {
  switch (id) {
    case kSearchId:
      if (code == EN_CHANGE) {
        FillList(w);
        SetControlText(w.description, kMameOptionsHint);  // the selection went with the old rows
      }
      return true;
    case kEditId:
      EditSelectedRow(w);
      return true;
    case kResetValueId: {
      int item = SelectedListRow(w.list);
      if (item >= 0) {
        size_t row = TableRowOf(w.list, item);
        w.values.values[row] = MameOptionTable()[row].default_value;
        ShowItem(w, item);
      }
      return true;
    }
    case kResetAllId:
      if (ShowMessageOver(w.d.window, kMameOptionsResetQuestion, kMameOptionsBoxTitle,
                          MB_YESNO | MB_ICONQUESTION) == IDYES) {
        w.values.values = DefaultMameOptionValues().values;
        FillList(w);
      }
      return true;
  }
  return false;
}

bool Notify(MameOptionsWindow& w, NMHDR* header, LRESULT* result) {
  if (DrawDimRows(header, kListId, w.not_in_mame, result)) return true;
  if (IsRowDoubleClick(header, kListId)) {
    EditSelectedRow(w);
    return true;
  }
  if (header->idFrom == kListId && header->code == LVN_ITEMCHANGED) {
    auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
        !(change->uOldState & LVIS_SELECTED))
    {
      size_t row = TableRowOf(w.list, change->iItem);
      SetControlText(w.description, MameOptionDescriptionLine(row, w.not_in_mame[row]));
    }
    return true;
  }
  return false;
}

bool Accept(MameOptionsWindow& w) {
  std::string stored = BuildMoreOptions(w.values);
  if (!MoreOptionsFit(stored)) {
    ShowMessageOver(w.d.window, kMameOptionsTooLongMessage, kMameOptionsBoxTitle, MB_OK | MB_ICONWARNING);
    return false;
  }
  App().settings.more_options = stored;
  return true;
}
}  // namespace

bool OpenAllMameOptions(HWND owner) {
  MameOptionsWindow w;
  w.values = ParseMoreOptions(App().settings.more_options);
  w.not_in_mame = MameOptionRowsNotInMame(CachedMameUsage(LocatedMameAsker()));
  w.d.on_ok = [&w](ModalDialog&) { return Accept(w); };
  w.d.on_command = [&w](ModalDialog&, int id, int code, HWND) { return Command(w, id, code); };
  w.d.on_notify = [&w](ModalDialog&, NMHDR* header, LRESULT* result) { return Notify(w, header, result); };
  const int height = MameOptionsWindowHeight(WorkAreaHeightUnits());
  if (!CreateModalDialog(w.d, owner, kMameOptionsWindowTitle, kWidth, height)) return false;

  AddDialogControl(w.d, L"STATIC", "Search:", SS_LEFT, 10, 14, 50, 20, -1);
  w.search = AddDialogControl(w.d, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 62, 10, 542, 23, kSearchId,
                              WS_EX_CLIENTEDGE);
  SendMessageW(w.search, EM_SETLIMITTEXT, kMameOptionsSearchLength, 0);
  AddDialogControl(w.d, L"BUTTON", "Reset All", BS_PUSHBUTTON | WS_TABSTOP, 614, 9, 96, 26, kResetAllId);

  w.list = AddOptionList(w.d, 10, 44, kWidth - 20, height - 128, kListId, kColumns);
  FillList(w);

  w.description = AddDialogControl(w.d, L"STATIC", kMameOptionsHint, SS_LEFT | SS_NOPREFIX, 10, height - 78,
                                   kWidth - 20, 34, kDescriptionId);
  AddOptionButtons(w.d, kWidth, height, kEditId, kResetValueId);
  return RunModalDialog(w.d) == 1;
}
