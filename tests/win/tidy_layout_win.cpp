// Every window the Windows tests photograph has its layout checked first.
#include <gtest/gtest.h>

#include "screenshot_win.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <map>

#include "base/utf16_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
bool ClassIs(HWND window, const wchar_t* kind) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  return !lstrcmpiW(name, kind);
}
bool IsPushButton(HWND window) {
  const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return ClassIs(window, L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}
// Controls that hold others by design: a group's frame, a tab strip under its pages.
bool HoldsOthers(HWND window) {
  return (ClassIs(window, L"Button") && (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) ||
         ClassIs(window, WC_TABCONTROLW);
}

// Arrows that step the number of the field they belong to, which they may touch.
bool Attached(HWND arrows, HWND field) {
  return ClassIs(arrows, UPDOWN_CLASSW) && reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)) == field;
}

// A label shows only the edge its text keeps to, a check box only its left; framed controls show both.
bool LeftEdgeShows(HWND c) {
  return !ClassIs(c, L"Static") || (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) != SS_RIGHT;
}
bool RightEdgeShows(HWND c) {
  return ClassIs(c, L"Static") ? (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT
                               : !ClassIs(c, L"Button") || IsPushButton(c);
}

// The first shown column of a list without a title; -1 when every one has one.
int UntitledColumn(HWND list) {
  HWND header = ClassIs(list, WC_LISTVIEWW) ? ListView_GetHeader(list) : nullptr;
  for (int i = 0; header && i < Header_GetItemCount(header); ++i) {
    wchar_t text[64] = L"";
    HDITEMW item = {HDI_TEXT | HDI_WIDTH};
    item.pszText = text, item.cchTextMax = 64;
    if (Header_GetItem(header, i, &item) && item.cxy > 0 && !*text) return i;
  }
  return -1;
}

// A label whose text, wrapped as the label wraps it and in its own font, needs more room than it has; a push button
// whose one line does not fit between its edges.
bool TextCutOff(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE), type = style & SS_TYPEMASK;
  const bool button = IsPushButton(control);
  if (!button && (!ClassIs(control, L"Static") || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT &&
                                                   type != SS_LEFTNOWORDWRAP) || (style & SS_ELLIPSISMASK)))
    return false;
  wchar_t text[2048] = L"";
  if (!GetWindowTextW(control, text, 2048)) return false;
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT room = ClientRectOf(control);
  if (button) InflateRect(&room, -3, -3);  // the button's edge and its focus frame
  RECT need = room;
  const UINT wrap = button ? DT_SINGLELINE : type == SS_LEFTNOWORDWRAP ? 0 : DT_WORDBREAK;
  DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_EXPANDTABS | wrap | (!button && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return need.right > room.right || need.bottom > room.bottom;
}

// What a person notices in a window's layout: a control cut off by the window's edge, controls on top of each other,
// a label's or button's text cut off; push buttons side by side that do not line up.
void ExpectTidyLayout(HWND window, const std::string& name, bool page = false) {
  const RECT client = ClientRectOf(window);
  int left_margin = client.right, right_margin = client.right;
  std::vector<RECT> buttons;
  std::vector<std::pair<HWND, RECT>> placed;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT r = RectIn(c, window);
    if (!IsWindowVisible(c)) continue;
    // Shown but of no size: a control that never got its place (a holder of the keyboard focus has none on purpose).
    EXPECT_TRUE(!IsRectEmpty(&r) || (ClassIs(c, L"Static") && (GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)))
        << name << ": control " << GetDlgCtrlID(c) << " has no size";
    if (IsRectEmpty(&r)) continue;
    // A page that scrolls shows the rest of itself when scrolled.
    EXPECT_TRUE((GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) ||
                (r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom))
        << name << ": control " << GetDlgCtrlID(c) << " is cut off";
    EXPECT_FALSE(TextCutOff(c)) << name << ": the text of control " << GetDlgCtrlID(c) << " is cut off";
    // One left in the system's font stands out among its neighbours in the launcher's.
    EXPECT_TRUE(SendMessageW(c, WM_GETFONT, 0, 0) || !(ClassIs(c, L"Edit") || ClassIs(c, L"Button") ||
                                                       ClassIs(c, L"ComboBox") || (ClassIs(c, L"Static") && GetWindowTextLengthW(c))))
        << name << ": control " << GetDlgCtrlID(c) << " keeps the system's font";
    if (IsPushButton(c)) buttons.push_back(r);
    left_margin = std::min<int>(left_margin, r.left), right_margin = std::min<int>(right_margin, client.right - r.right);
    if (HoldsOthers(c)) continue;
    for (const auto& [other, o] : placed) {
      RECT both;
      EXPECT_TRUE(!IntersectRect(&both, &r, &o) || Attached(c, other) || Attached(other, c))
          << name << ": controls " << GetDlgCtrlID(c) << " and " << GetDlgCtrlID(other) << " overlap";
    }
    EXPECT_EQ(UntitledColumn(c), -1) << name << ": a column of list " << GetDlgCtrlID(c) << " has no title";
    placed.push_back({c, r});
    wchar_t kind[64] = L"";
    GetClassNameW(c, kind, 64);
    if (!wcsncmp(kind, L"Korvo", 5)) ExpectTidyLayout(c, name + " " + Utf16ToUtf8(kind), true);  // a page of the window
  }
  // A pixel either way comes from rounding above 96 DPI.
  const int slack = GetDpiForWindow(window) > 96 ? 1 : 0;
  // A window's content sits in the middle: as much room at the left edge as at the right. A page or pane inside it
  // may leave room at the right.
  EXPECT_LE(page ? 0 : std::abs(left_margin - right_margin), slack)
      << name << ": margins " << left_margin << " at the left, " << right_margin << " at the right";
  // A control a pixel or two off the margin's line was meant to be on it.
  for (const auto& [c, r] : placed) {
    const int off_left = r.left - left_margin, off_right = client.right - r.right - right_margin;
    EXPECT_TRUE((off_left <= slack || off_left > 2 + slack) && (page || off_right <= slack || off_right > 2 + slack))
        << name << ": control " << GetDlgCtrlID(c) << " is " << off_left << " and " << off_right << " off the margins";
  }
  // Two edges a person sees a pixel or two apart were meant to line up (at 96 DPI, where no rounding moves them).
  const auto near_miss = [](int a, int b) { return a != b && std::abs(a - b) <= 2; };
  for (size_t i = 0; i < (slack ? 0 : placed.size()); ++i)
    for (size_t j = i + 1; j < placed.size(); ++j) {
      const auto &[c, a] = placed[i];
      const auto &[d, b] = placed[j];
      EXPECT_FALSE((LeftEdgeShows(c) && LeftEdgeShows(d) && near_miss(a.left, b.left)) ||
                   (RightEdgeShows(c) && RightEdgeShows(d) && near_miss(a.right, b.right)))
          << name << ": controls " << GetDlgCtrlID(c) << " and " << GetDlgCtrlID(d) << " miss each other's edge by "
          << a.left - b.left << " / " << a.right - b.right;
    }
  // A field says what it holds: the nearest control at its left is a label (or a box ticked for it), or with nothing
  // at its left, a label stands just above it. A search field's grey hint inside it serves as its label.
  for (const auto& [field, f] : placed) {
    if (ClassIs(window, L"KorvoThemeTest")) break;  // the looks' test window: one of each control, unlabelled
    wchar_t hint[64] = L"";
    if (!(ClassIs(field, L"Edit") || ClassIs(field, L"ComboBox")) || (GetWindowLongW(field, GWL_STYLE) & ES_READONLY) ||
        (ClassIs(field, L"Edit") && SendMessageW(field, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(hint), 64) && *hint))
      continue;
    HWND left = nullptr, above = nullptr;
    LONG left_edge = LONG_MIN;
    for (const auto& [c, r] : placed) {
      if (r.right <= f.left && r.top < f.bottom && f.top < r.bottom && r.right > left_edge) left = c, left_edge = r.right;
      if (r.bottom <= f.top && f.top - r.bottom <= 10 + slack * 5 && r.left < f.right && f.left < r.right) above = c;
    }
    const auto names = [](HWND c) {
      wchar_t text[8] = L"";
      return c && GetWindowTextW(c, text, 8) && (ClassIs(c, L"Static") || (ClassIs(c, L"Button") && !IsPushButton(c)));
    };
    EXPECT_TRUE(left ? names(left) : names(above)) << name << ": field " << GetDlgCtrlID(field) << " has no label";
  }
  for (size_t i = 0; i < buttons.size(); ++i)
    for (size_t j = i + 1; j < buttons.size(); ++j) {
      const RECT &a = buttons[i], &b = buttons[j];
      if (a.top < b.bottom && b.top < a.bottom)  // in one row
        EXPECT_TRUE(a.top == b.top && a.bottom == b.bottom) << name << ": buttons out of line at x " << a.left << " and " << b.left;
    }
}

// How many pixels of each colour a rectangle of the window's client area holds.
std::map<uint32_t, int> ColoursIn(const WindowPixels& shot, HWND window, const RECT& r) {
  POINT o = {0, 0};
  ClientToScreen(window, &o);
  std::map<uint32_t, int> colours;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ++colours[shot.At({o.x + x - shot.origin.x, o.y + y - shot.origin.y})];
  return colours;
}
std::pair<uint32_t, int> MostCommon(const std::map<uint32_t, int>& colours) {
  return *std::max_element(colours.begin(), colours.end(), [](auto& a, auto& b) { return a.second < b.second; });
}
int Luma(uint32_t rgb) { return (((rgb >> 16) & 0xFF) * 3 + ((rgb >> 8) & 0xFF) * 6 + (rgb & 0xFF)) / 10; }

// Every label, button and list row whose text shows wholly in the window stands out from its own background in either
// look: dark text left on the dark face, or a label that painted nothing, is the first thing a person notices.
struct Legibility {
  HWND window;
  const std::string& name;
  WindowPixels shot{window};
};
// A list's first row not chosen, its first shown cell with a text (a list may start with a column of marks); false for
// a list of another program or without such a row.
bool FirstPlainRow(HWND list, HWND window, RECT& cell, wchar_t (&text)[256]) {
  DWORD process = 0;
  GetWindowThreadProcessId(list, &process);
  int row = ListView_GetTopIndex(list), column = 0;
  if (process != GetCurrentProcessId()) return false;
  if (ListView_GetItemState(list, row, LVIS_SELECTED)) ++row;
  for (*text = 0; row < ListView_GetItemCount(list) && !*text && column < Header_GetItemCount(ListView_GetHeader(list)); ++column)
    if (ListView_GetColumnWidth(list, column) > 0) ListView_GetItemText(list, row, column, text, 256);
  if (!*text || !ListView_GetSubItemRect(list, row, column - 1, LVIR_LABEL, &cell)) return false;
  MapWindowPoints(list, window, reinterpret_cast<POINT*>(&cell), 2);
  return true;
}
void ExpectLegibleTexts(HWND window, const std::string& name) {
  Legibility seen{window, name};
  EnumChildWindows(window, [](HWND c, LPARAM context) -> BOOL {
    const Legibility& seen = *reinterpret_cast<const Legibility*>(context);
    const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & SS_TYPEMASK;
    const bool label = ClassIs(c, L"Static") && (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP);
    const bool list = ClassIs(c, WC_LISTVIEWW);
    RECT r = RectIn(c, seen.window), holder = RectIn(GetParent(c), seen.window), shown;
    DWORD process = 0;
    GetWindowThreadProcessId(c, &process);
    const RECT client = ClientRectOf(seen.window);
    if (IsDarkTheme() && process == GetCurrentProcessId() && IsWindowVisible(c) && IntersectRect(&shown, &r, &holder) &&
        IntersectRect(&shown, &shown, &client) && !(ClassIs(c, L"Static") && (type == SS_BITMAP || type == SS_ICON)) &&
        !ClassIs(c, PROGRESS_CLASSW)) {
      // In the dark look no control keeps the light face: what shows most of it is a dark colour.
      const uint32_t most = MostCommon(ColoursIn(seen.shot, seen.window, shown)).first;
      EXPECT_LT(Luma(most), 100) << seen.name << ": control " << GetDlgCtrlID(c) << " stays light: " << std::hex << most;
    }
    wchar_t text[256] = L"";
    if (list) {
      GetClientRect(c, &holder);
      MapWindowPoints(c, seen.window, reinterpret_cast<POINT*>(&holder), 2);
      if (!FirstPlainRow(c, seen.window, r, text)) return TRUE;
    } else {
      GetWindowTextW(c, text, 256);
      // A group box's frame line stands out anyway: only the upper half of its title, above the line, tells.
      if (ClassIs(c, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX) r.bottom = r.top + S(6);
    }
    if (!IsWindowVisible(c) || !(label || list || ClassIs(c, L"Button")) || !text[wcsspn(text, L" ")] || IsRectEmpty(&r))
      return TRUE;
    for (const RECT& around : {holder, client})
      if (!IntersectRect(&shown, &r, &around) || !EqualRect(&shown, &r)) return TRUE;  // partly out of sight
    const auto colours = ColoursIn(seen.shot, seen.window, r);
    const uint32_t background = MostCommon(colours).first;
    const bool stands_out = std::any_of(colours.begin(), colours.end(), [&](auto& kept) {
      return std::abs(Luma(kept.first) - Luma(background)) >= 64;
    });
    EXPECT_TRUE(stands_out) << seen.name << ": the text of control " << GetDlgCtrlID(c) << " (" << Utf16ToUtf8(text)
                            << ") does not stand out from " << std::hex << background;
    // A dark push button or check box shows the focus only while it has it: a frame inside the button's body (its top
    // edge), round a check box's label (its left edge, in the gap after the box).
    const LONG kind = style & BS_TYPEMASK;
    const RECT cue = IsPushButton(c) ? RECT{r.left + S(5), r.top + S(3), r.right - S(5), r.top + S(3) + 1}
                                     : RECT{r.left + S(13) + 1, r.top, r.left + S(17), r.bottom};
    if (IsDarkTheme() && ClassIs(c, L"Button") && (IsPushButton(c) || kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX))
      EXPECT_EQ(ColoursIn(seen.shot, seen.window, cue).size() > 1, GetFocus() == c)
          << seen.name << ": the focus cue of button " << GetDlgCtrlID(c);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&seen));
}

// Edges that line up were meant to: a window made larger keeps them lined up. A control that does not follow the
// resize parts from its neighbours.
void ExpectEdgesFollowAResize(HWND window, const std::string& name) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & WS_THICKFRAME) || (style & WS_CHILD) || IsZoomed(window)) return;
  auto shown = [window] {
    std::map<HWND, RECT> placed;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (IsWindowVisible(c)) placed[c] = RectIn(c, window);
    return placed;
  };
  const std::map<HWND, RECT> before = shown();
  const RECT frame = RectIn(window, nullptr);
  const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + S(80), frame.bottom - frame.top + S(60), keep);
  std::map<HWND, RECT> after = shown();
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, keep);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (const auto& [c, r] : before)
    for (const auto& [d, q] : before) {
      if (c >= d || IsRectEmpty(&r) || IsRectEmpty(&q) || !after.count(c) || !after.count(d)) continue;
      EXPECT_TRUE((r.right != q.right || after[c].right == after[d].right) && (r.bottom != q.bottom || after[c].bottom == after[d].bottom))
          << name << ": controls " << GetDlgCtrlID(c) << " and " << GetDlgCtrlID(d) << " part when the window grows";
    }
}

const bool installed = (g_before_screenshot = [](HWND w, const std::string& name) {
  ExpectEdgesFollowAResize(w, name);
  ExpectTidyLayout(w, name);
  ExpectLegibleTexts(w, name);
}, true);
}  // namespace
