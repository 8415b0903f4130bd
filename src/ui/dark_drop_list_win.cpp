#include "ui/dark_drop_list_win.h"

#include <string>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"

namespace {
constexpr UINT_PTR kDropListId = 0x4B4C;

std::wstring ChosenText(HWND combo) {
  const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  const LRESULT length = chosen == CB_ERR ? CB_ERR : SendMessageW(combo, CB_GETLBTEXTLEN, chosen, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

void PaintDropList(HWND combo, HDC dc, const RECT& client) {
  const bool enabled = IsWindowEnabled(combo) != FALSE;
  const bool open = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  // The inside is what the parent gives its fields, as the system's field asks.
  auto inside = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(combo), enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(combo)));
  const COLORREF border = open ? DimTextColour() : ThemeColour(ColourRole::Separator);
  PaintDropFace(combo, dc, client,
                {inside ? inside : ControlBackgroundBrush(), border, enabled, enabled && !open && GetFocus() == combo,
                 ChosenText(combo)});
}

// Messages after which the field may look different.
bool ChangesLook(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_COMMAND:  // from its own list, which chose or closed
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_RESETCONTENT:
    case CB_SHOWDROPDOWN:
      return true;
  }
  return false;
}

LRESULT CALLBACK DropListProc(HWND combo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveSubclass(combo, DropListProc, id);
  return PaintedControlMessage(combo, message, wparam, lparam, PaintDropList, ChangesLook);
}
}  // namespace

void DarkDropList(HWND combo) {
  if (!IsDarkTheme() || !combo || (GetWindowLongPtrW(combo, GWL_STYLE) & 3) != CBS_DROPDOWNLIST) return;
  AddSubclass(combo, DropListProc, kDropListId, 0);
  InvalidateRect(combo, nullptr, TRUE);
}
