#include "ui/access_keys_win.h"

#include <string>
#include <vector>

#include "base/utf16_win.h"
#include "ui/access_keys.h"
#include "ui/control_paint_win.h"

namespace {
bool IsClassName(HWND window, const wchar_t* name) {
  wchar_t found[16] = L"";
  return GetClassNameW(window, found, 16) && lstrcmpiW(found, name) == 0;
}

bool IsLabel(HWND control) {
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR type = style & SS_TYPEMASK;
  return IsClassName(control, L"Static") && !(style & SS_NOPREFIX) &&
         (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP);
}

bool IsKeyedButton(HWND control) {
  const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  return IsClassName(control, L"Button") && type != BS_GROUPBOX && type != BS_OWNERDRAW;
}
}  // namespace

void GiveAccessKeys(HWND window, std::string_view reserved) {
  std::vector<HWND> controls;
  for (bool labels : {true, false})
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (labels ? IsLabel(c) : IsKeyedButton(c)) controls.push_back(c);
  std::vector<std::string> texts;
  for (HWND c : controls) texts.push_back(Utf16ToUtf8(WindowText(c)));
  const std::vector<std::string> marked = WithAccessKeys(texts, reserved);
  for (size_t i = 0; i < controls.size(); ++i)
    if (marked[i] != texts[i]) SetWindowTextW(controls[i], Utf8ToUtf16(marked[i]).c_str());
}

bool AccessKeyFocusMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_NEXTDLGCTL) return false;
  HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(window, GetFocus(), wparam != 0);
  if (!target) return true;
  SetFocus(target);
  // As in a dialog, a field reached from the keyboard has its text selected.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
  return true;
}

void HideKeyboardCuesUntilUsed(HWND window) {
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
}
