#include "ui/dark_list_selection_win.h"

#include <commctrl.h>

#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"

namespace {
constexpr UINT_PTR kParentId = 0x4B4C53;
ULONG_PTR list_atom = 0;  // the list view class, known from the first list

LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveSubclass(parent, ParentProc, id);
  LRESULT result = CallNextSubclass(parent, message, wparam, lparam);
  if (message != WM_NOTIFY) return result;
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lparam);
  if (draw->nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || (result & CDRF_SKIPDEFAULT) ||
      GetClassLongPtrW(draw->nmcd.hdr.hwndFrom, GCW_ATOM) != list_atom)
    return result;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return result | CDRF_NOTIFYITEMDRAW;
  if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED)) {
    const bool focused = GetFocus() == draw->nmcd.hdr.hwndFrom;
    draw->clrTextBk = ThemeColour(focused ? ColourRole::Selection : ColourRole::SelectionUnfocused);
    draw->clrText = ThemeColour(focused ? ColourRole::SelectionText : ColourRole::Text);
    // Still marked selected, the system would put its own colours back.
    draw->nmcd.uItemState &= ~CDIS_SELECTED;
  }
  return result;
}
}  // namespace

void DarkListSelection(HWND list) {
  HWND parent = list ? GetParent(list) : nullptr;
  if (!IsDarkTheme() || !parent) return;
  list_atom = GetClassLongPtrW(list, GCW_ATOM);
  if (!FindSubclass(parent, ParentProc, kParentId)) AddSubclass(parent, ParentProc, kParentId, 0);
}
