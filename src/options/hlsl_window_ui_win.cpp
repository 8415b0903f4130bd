#include "options/hlsl_window_ui_win.h"

#include <commctrl.h>

#include "launch/mame_asker.h"
#include "options/option_list_ui_win.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"
#include "ui/text_prompt_ui_win.h"

namespace {
enum : int { kPresetId = 1001, kApplyPresetId, kResetAllId, kListId, kEditId, kResetValueId, kNoteId };
constexpr int kWidth = 560;
constexpr int kColumns[4] = {110, 210, 100, 90};

struct HlslWindow {
  ModalDialog d;
  HlslValues values;
  std::vector<bool> not_in_mame;  // per table row
  HWND list = nullptr, presets = nullptr, note = nullptr;
};

void ShowRow(HlslWindow& w, size_t row) {
  SetOptionListRow(w.list, static_cast<int>(row), HlslRowTexts(row, w.values), false);
}

void ShowAllRows(HlslWindow& w) {
  for (size_t row = 0; row < w.values.size(); ++row) ShowRow(w, row);
}

void EditSelectedRow(HlslWindow& w) {
  int selected = SelectedListRow(w.list);
  if (selected < 0) return;
  const size_t row = static_cast<size_t>(selected);
  const HlslOption& option = HlslOptionTable()[row];
  if (option.kind == HlslKind::OnOff) {
    ToggleHlslValue(w.values, row);
  } else {
    std::string text = w.values[row];
    if (!TextPrompt(w.d.window, kHlslPromptTitle, HlslPromptText(option), text, kHlslPromptBufferSize)) return;
    if (!EditHlslValue(w.values, row, text)) {
      ShowMessageOver(w.d.window, kHlslInvalidValueMessage, kHlslPromptTitle, MB_OK | MB_ICONWARNING);
      return;
    }
  }
  ShowRow(w, row);
}

bool Command(HlslWindow& w, int id) {
  switch (id) {
    case kEditId:
      EditSelectedRow(w);
      return true;
    case kResetValueId: {
      int row = SelectedListRow(w.list);
      if (row >= 0) {
        w.values[static_cast<size_t>(row)] = HlslOptionTable()[static_cast<size_t>(row)].default_value;
        ShowRow(w, static_cast<size_t>(row));
      }
      return true;
    }
    case kResetAllId:
      w.values = DefaultHlslValues();
      ShowAllRows(w);
      return true;
    case kApplyPresetId: {
      LRESULT preset = SendMessageW(w.presets, CB_GETCURSEL, 0, 0);
      if (preset >= 0 && static_cast<size_t>(preset) < HlslPresets().size()) {
        w.values = ParseHlslOptions(HlslPresets()[static_cast<size_t>(preset)].options);
        ShowAllRows(w);
      }
      return true;
    }
  }
  return false;
}

bool Notify(HlslWindow& w, NMHDR* header, LRESULT* result) {
  if (DrawDimRows(header, kListId, w.not_in_mame, result)) return true;
  if (IsRowDoubleClick(header, kListId)) {
    EditSelectedRow(w);
    return true;
  }
  if (header->idFrom == kListId && header->code == LVN_ITEMCHANGED) {
    auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
        !(change->uOldState & LVIS_SELECTED)) {
      size_t row = static_cast<size_t>(change->iItem);
      SetControlText(w.note, HlslNoteLine(row, row < w.not_in_mame.size() && w.not_in_mame[row]));
    }
    return true;
  }
  return false;
}

bool Accept(HlslWindow& w) {
  std::string stored = BuildHlslOptions(w.values);
  if (!HlslOptionsFit(stored)) {
    ShowMessageOver(w.d.window, kHlslTooLongMessage, kHlslWindowTitle, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  App().settings.hlsl_options = stored;
  return true;
}
}  // namespace

void OpenHlslSettings(HWND owner) {
  HlslWindow w;
  w.values = ParseHlslOptions(App().settings.hlsl_options);
  w.not_in_mame = HlslRowsNotInMame(CachedMameUsage(LocatedMameAsker()));
  w.d.on_ok = [&w](ModalDialog&) { return Accept(w); };
  w.d.on_command = [&w](ModalDialog&, int id, int, HWND) { return Command(w, id); };
  w.d.on_notify = [&w](ModalDialog&, NMHDR* header, LRESULT* result) { return Notify(w, header, result); };
  const int height = HlslWindowHeight(WorkAreaHeightUnits());
  if (!CreateModalDialog(w.d, owner, kHlslWindowTitle, kWidth, height)) return;

  AddDialogControl(w.d, L"STATIC", "Preset:", SS_LEFT, 10, 14, 46, 20, -1);
  w.presets = AddDialogControl(w.d, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 58, 10, 240, 200,
                               kPresetId);
  for (const HlslPreset& preset : HlslPresets()) AddComboEntry(w.presets, preset.label);
  SendMessageW(w.presets, CB_SETCURSEL, 0, 0);
  AddDialogControl(w.d, L"BUTTON", "Apply Preset", BS_PUSHBUTTON | WS_TABSTOP, 308, 9, 116, 26, kApplyPresetId);
  AddDialogControl(w.d, L"BUTTON", "Reset All", BS_PUSHBUTTON | WS_TABSTOP, 434, 9, 116, 26, kResetAllId);

  w.list = AddOptionList(w.d, 10, 44, kWidth - 20, height - 128, kListId, kColumns);
  for (size_t row = 0; row < w.values.size(); ++row)
    SetOptionListRow(w.list, static_cast<int>(row), HlslRowTexts(row, w.values), true, static_cast<LPARAM>(row));

  w.note =
      AddDialogControl(w.d, L"STATIC", kHlslNote, SS_LEFT | SS_NOPREFIX, 10, height - 78, kWidth - 20, 34, kNoteId);
  AddOptionButtons(w.d, kWidth, height, kEditId, kResetValueId);
  RunModalDialog(w.d);
}
