#include "ui/text_prompt_ui_win.h"

#include "base/text_util.h"
#include "ui/modal_dialog_ui_win.h"

namespace {
constexpr int kEditId = 1001;
}

bool TextPrompt(HWND owner, const std::string& title, const std::string& prompt, std::string& text,
                int buffer_size, bool allow_empty) {
  ModalDialog d;
  std::string answer;
  d.on_ok = [&answer, allow_empty](ModalDialog& dialog) {
    answer = Trim(ControlText(GetDlgItem(dialog.window, kEditId)));
    return allow_empty || !answer.empty();
  };
  if (!CreateModalDialog(d, owner, CutToUtf16Units(title, 119), 330, 118)) return false;
  AddDialogControl(d, L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, 10, 10, 310, 20, -1);
  HWND edit = AddDialogControl(d, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 10, 34, 310, 23, kEditId,
                               WS_EX_CLIENTEDGE);
  AddDialogControl(d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 80, 80, 26, IDOK);
  AddDialogControl(d, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 240, 80, 80, 26, IDCANCEL);
  int limit = buffer_size > 1 ? buffer_size - 1 : 1;
  SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
  SetControlText(edit, CutToUtf16Units(text, static_cast<size_t>(limit)));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  if (RunModalDialog(d) != 1) return false;
  text = answer;
  return true;
}
