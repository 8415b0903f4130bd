#include "ui/tab_keys_win.h"

#include <commctrl.h>

HWND TabStripOf(HWND window) {
  HWND found = nullptr;
  if (window)
    EnumChildWindows(
        window,
        [](HWND child, LPARAM out) -> BOOL {
          wchar_t name[32] = L"";
          if (!IsWindowVisible(child) || !GetClassNameW(child, name, 32) || lstrcmpiW(name, WC_TABCONTROLW)) return TRUE;
          *reinterpret_cast<HWND*>(out) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
  return found;
}

bool SwitchTabs(HWND window, bool back) {
  HWND tabs = TabStripOf(GetAncestor(window, GA_ROOT));
  const int count = tabs ? TabCtrl_GetItemCount(tabs) : 0;
  if (count <= 0) return false;
  // As a click on the tab: the owner may refuse, and hears the change and
  // shows its page. (Asked to move its focus instead, a tab strip that never
  // had it may only take the focus.)
  HWND owner = GetParent(tabs);
  NMHDR note = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGING)};
  if (SendMessageW(owner, WM_NOTIFY, note.idFrom, reinterpret_cast<LPARAM>(&note))) return true;
  TabCtrl_SetCurSel(tabs, (TabCtrl_GetCurSel(tabs) + (back ? count - 1 : 1)) % count);
  note.code = static_cast<UINT>(TCN_SELCHANGE);
  SendMessageW(owner, WM_NOTIFY, note.idFrom, reinterpret_cast<LPARAM>(&note));
  HWND focus = GetFocus();
  if (focus == tabs || (focus && IsWindowVisible(focus))) return true;
  // The first control on the new page, in tab order.
  RECT page;
  GetWindowRect(tabs, &page);
  TabCtrl_AdjustRect(tabs, FALSE, &page);
  HWND root = GetAncestor(tabs, GA_ROOT), first = GetNextDlgTabItem(root, nullptr, FALSE);
  for (HWND w = first; w; w = GetNextDlgTabItem(root, w, FALSE)) {
    RECT r;
    GetWindowRect(w, &r);
    if (PtInRect(&page, {(r.left + r.right) / 2, (r.top + r.bottom) / 2})) {
      SetFocus(w);
      break;
    }
    if (GetNextDlgTabItem(root, w, FALSE) == first) break;
  }
  return true;
}

bool SwitchTabsByKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
  if (msg.wParam == VK_TAB) return SwitchTabs(msg.hwnd, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
  if (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR) return SwitchTabs(msg.hwnd, msg.wParam == VK_PRIOR);
  return false;
}
