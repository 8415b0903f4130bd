#include "ui/dark_menu_bar_win.h"

#include <cwctype>
#include <string>
#include <vector>

#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// The platform's private menu-bar drawing messages and what they carry.
constexpr UINT kDrawMenuBar = 0x91;
constexpr UINT kDrawMenuBarItem = 0x92;
struct UahMenu {
  HMENU menu;
  HDC dc;
  DWORD flags;
};
struct UahDrawMenuItem {
  DRAWITEMSTRUCT item;
  UahMenu bar;
  int position;  // the start of a larger record; only the position is read
};

constexpr wchar_t kStateProperty[] = L"korvo-menubar";

// Where the platform never sends its private messages (an unthemed frame, or a
// system that lacks them), the bar's items are made owner-drawn instead.
struct MenuBarState {
  bool private_messages_seen = false;
  HMENU owner_drawn = nullptr;
  std::vector<std::wstring> texts;  // of the owner-drawn items, by position
  HFONT font = nullptr;
};

MenuBarState* State(HWND window) { return static_cast<MenuBarState*>(GetPropW(window, kStateProperty)); }

MenuBarState& CreateState(HWND window) {
  if (MenuBarState* state = State(window)) return *state;
  auto* state = new MenuBarState;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    state->font = CreateFontIndirectW(&metrics.lfMenuFont);
  SetPropW(window, kStateProperty, state);
  return *state;
}

void DestroyState(HWND window) {
  MenuBarState* state = State(window);
  if (!state) return;
  RemovePropW(window, kStateProperty);
  if (state->font) DeleteObject(state->font);
  delete state;
}

// The menu bar in window coordinates.
bool MenuBarRect(HWND window, RECT* bar) {
  MENUBARINFO info = {};
  info.cbSize = sizeof info;
  RECT frame;
  if (!GetMenuBarInfo(window, OBJID_MENU, 0, &info) || !GetWindowRect(window, &frame)) return false;
  *bar = info.rcBar;
  OffsetRect(bar, -frame.left, -frame.top);
  return bar->right > bar->left && bar->bottom > bar->top;
}

std::wstring ItemText(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(info.cch);
  return text;
}

void DrawBarItem(HDC dc, RECT rect, const std::wstring& text, UINT item_state, HFONT font) {
  ColourRole back = (item_state & ODS_SELECTED)    ? ColourRole::MenuPushed
                    : (item_state & ODS_HOTLIGHT) ? ColourRole::MenuHot
                                                   : ColourRole::Face;
  FillRect(dc, &rect, KeptBrush(ThemeColour(back)));
  bool dim = item_state & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((item_state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, dim ? DimTextColour() : TextColour());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  if (old_font) SelectObject(dc, old_font);
}

// `lay_out` lays the frame out again for the new items; a window being created
// lays it out itself after WM_NCCREATE.
void MakeOwnerDrawn(HWND window, HMENU menu, MenuBarState& state, bool lay_out) {
  int count = GetMenuItemCount(menu);
  state.texts.assign(count > 0 ? count : 0, std::wstring());
  for (int i = 0; i < count; ++i) {
    state.texts[i] = ItemText(menu, i);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&state.texts[i]);
    SetMenuItemInfoW(menu, i, TRUE, &info);
  }
  MENUINFO look = {};
  look.cbSize = sizeof look;
  look.fMask = MIM_BACKGROUND;
  look.hbrBack = KeptBrush(FaceColour());
  SetMenuInfo(menu, &look);
  state.owner_drawn = menu;
  if (lay_out) DrawMenuBar(window);
}

// The owner-drawn text record of an item of this window's bar, or null.
const std::wstring* OwnText(const MenuBarState* state, ULONG_PTR data) {
  if (!state || state->texts.empty()) return nullptr;
  auto* text = reinterpret_cast<const std::wstring*>(data);
  return text >= state->texts.data() && text < state->texts.data() + state->texts.size() ? text : nullptr;
}

// The bar's mnemonic for a typed character ("&File" answers to f and F).
int MnemonicPosition(const MenuBarState& state, wchar_t typed) {
  wint_t wanted = std::towupper(typed);
  for (size_t i = 0; i < state.texts.size(); ++i) {
    const std::wstring& text = state.texts[i];
    for (size_t k = 0; k + 1 < text.size(); ++k) {
      if (text[k] != L'&') continue;
      if (text[k + 1] == L'&') {
        ++k;
        continue;
      }
      if (std::towupper(text[k + 1]) == wanted) return static_cast<int>(i);
      break;
    }
  }
  return -1;
}

bool UpdateCoversBar(HWND window, WPARAM region, const RECT& bar) {
  if (region == 1) return true;
  RECT frame, screen_bar = bar;
  GetWindowRect(window, &frame);
  OffsetRect(&screen_bar, frame.left, frame.top);
  return region && RectInRegion(reinterpret_cast<HRGN>(region), &screen_bar);
}

// After the default painting: a line of the face colour under the bar covers
// the light one the system draws there.
LRESULT PaintFrame(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MenuBarState& state = CreateState(window);
  LRESULT result = DefWindowProcW(window, message, wparam, lparam);
  HMENU menu = GetMenu(window);
  RECT bar;
  if (!menu || !MenuBarRect(window, &bar)) return result;
  if (message == WM_NCPAINT && !state.private_messages_seen && state.owner_drawn != menu &&
      IsWindowVisible(window) && UpdateCoversBar(window, wparam, bar))
    MakeOwnerDrawn(window, menu, state, true);
  HDC dc = GetWindowDC(window);
  if (!dc) return result;
  RECT line = {bar.left, bar.bottom, bar.right, bar.bottom + 1};
  FillRect(dc, &line, FaceBrush());
  if (state.owner_drawn == menu) {
    // The system fills the bar in its own colour before drawing the items.
    RECT frame;
    GetWindowRect(window, &frame);
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
      RECT item;
      if (GetMenuItemRect(window, menu, i, &item))
        ExcludeClipRect(dc, item.left - frame.left, item.top - frame.top, item.right - frame.left,
                        item.bottom - frame.top);
    }
    FillRect(dc, &bar, FaceBrush());
  }
  ReleaseDC(window, dc);
  return result;
}
}  // namespace

bool DarkMenuBarMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (message == WM_NCDESTROY) {
    DestroyState(window);
    return false;
  }
  if (!IsDarkTheme() || !result) return false;
  switch (message) {
    case kDrawMenuBar: {
      CreateState(window).private_messages_seen = true;
      auto* bar = reinterpret_cast<UahMenu*>(lparam);
      RECT rect;
      if (bar && MenuBarRect(window, &rect)) FillRect(bar->dc, &rect, FaceBrush());
      *result = TRUE;
      return true;
    }
    case kDrawMenuBarItem: {
      MenuBarState& state = CreateState(window);
      state.private_messages_seen = true;
      auto* draw = reinterpret_cast<UahDrawMenuItem*>(lparam);
      if (!draw) return false;
      // An item made owner-drawn keeps its text here rather than in the menu.
      const bool own = state.owner_drawn == draw->bar.menu && draw->position >= 0 &&
                       static_cast<size_t>(draw->position) < state.texts.size();
      DrawBarItem(draw->bar.dc, draw->item.rcItem,
                  own ? state.texts[static_cast<size_t>(draw->position)] : ItemText(draw->bar.menu, draw->position),
                  draw->item.itemState, state.font);
      *result = TRUE;
      return true;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE:
      if (!GetMenu(window)) return false;
      *result = PaintFrame(window, message, wparam, lparam);
      return true;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      MenuBarState* state = State(window);
      const std::wstring* text = measure && measure->CtlType == ODT_MENU ? OwnText(state, measure->itemData) : nullptr;
      if (!text) return false;
      HDC dc = GetDC(window);
      HGDIOBJ old_font = state->font ? SelectObject(dc, state->font) : nullptr;
      RECT extent = {};
      DrawTextW(dc, text->c_str(), static_cast<int>(text->size()), &extent, DT_CALCRECT | DT_SINGLELINE);
      if (old_font) SelectObject(dc, old_font);
      ReleaseDC(window, dc);
      measure->itemWidth = extent.right;
      measure->itemHeight = GetSystemMetrics(SM_CYMENU);
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      MenuBarState* state = State(window);
      const std::wstring* text = draw && draw->CtlType == ODT_MENU ? OwnText(state, draw->itemData) : nullptr;
      if (!text) return false;
      DrawBarItem(draw->hDC, draw->rcItem, *text, draw->itemState, state->font);
      *result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      MenuBarState* state = State(window);
      if (!state || !state->owner_drawn || reinterpret_cast<HMENU>(lparam) != state->owner_drawn) return false;
      int position = MnemonicPosition(*state, LOWORD(wparam));
      if (position < 0) return false;
      *result = MAKELRESULT(position, MNC_EXECUTE);
      return true;
    }
  }
  return false;
}

void MakeMenuBarOwnerDrawn(HWND window) {
  HMENU menu = GetMenu(window);
  if (!IsDarkTheme() || !menu) return;
  MenuBarState& state = CreateState(window);
  if (state.owner_drawn != menu) MakeOwnerDrawn(window, menu, state, false);
}
