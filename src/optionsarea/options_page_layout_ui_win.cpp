#include "optionsarea/options_page_layout_ui_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "base/utf16_win.h"
#include "optionsarea/options_row_layout.h"
#include "ui/dark_scroll_bars_win.h"
#include "ui/glyph_button_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// 96-DPI units.
constexpr int kMargin = 12;
constexpr int kControlX = 170;  // where the controls of labelled rows start
constexpr int kReadableStretch = 80;  // a stretching field narrower than this goes under its label
constexpr int kLabelLine = 22;        // a label's line above its controls
constexpr int kGap = 6;
constexpr int kGroupIndent = 10;
constexpr int kGroupTitle = 20;
constexpr int kControlHeight = 23;
constexpr int kButtonHeight = 26;
constexpr int kCheckHeight = 20;
constexpr int kLineStep = 23;
constexpr int kWheelStep = 46;

std::map<HWND, std::unique_ptr<PageLayout>>& Layouts() {
  static std::map<HWND, std::unique_ptr<PageLayout>> layouts;
  return layouts;
}

struct ScrollState {
  int content = 0;  // pixels
  int wheel_rest = 0;
};
std::map<HWND, ScrollState>& Scrolls() {
  static std::map<HWND, ScrollState> scrolls;
  return scrolls;
}

int TextHeight(HWND text, int width) {
  int length = GetWindowTextLengthW(text);
  std::wstring s(static_cast<size_t>(length) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(text, s.data(), length + 1)));
  HDC dc = GetDC(text);
  HGDIOBJ old = SelectObject(dc, Ui().font ? static_cast<HGDIOBJ>(Ui().font) : GetStockObject(DEFAULT_GUI_FONT));
  RECT r = {0, 0, width, 0};
  DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(text, dc);
  return r.bottom + S(2);
}

// The dark look's frame of a group box: a thin line in the dim colour with
// the title over it.
void DrawDarkGroupFrame(HWND box, HDC dc, const RECT& r) {
  HGDIOBJ old_font = SelectObject(dc, Ui().font ? static_cast<HGDIOBJ>(Ui().font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  RECT frame = {r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
  FrameRect(dc, &frame, KeptBrush(DimTextColour()));
  int length = GetWindowTextLengthW(box);
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  title.resize(static_cast<size_t>(GetWindowTextW(box, title.data(), length + 1)));
  SetTextColor(dc, TextColour());
  SetBkColor(dc, ControlBackgroundColour());
  SetBkMode(dc, OPAQUE);
  RECT text = {r.left + S(8), r.top, r.right - S(8), r.top + tm.tmHeight};
  DrawTextW(dc, (L" " + title + L" ").c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
}

// A group box draws only its frame and title, and the page leaves it out of
// its own painting (it clips its children), so the box fills its inside with
// the page's colour, which the page gives it as to any static control. The
// controls it holds lie above it and clip that fill.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return CallNextSubclass(box, message, wparam, lparam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box, &ps);
  RECT r;
  GetClientRect(box, &r);
  auto page = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(box), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
  FillRect(dc, &r, page ? page : FaceBrush());
  if (IsDarkTheme())
    DrawDarkGroupFrame(box, dc, r);
  else
    CallNextSubclass(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EndPaint(box, &ps);
  return 0;
}

class Placer {
 public:
  Placer(int count) : defer_(BeginDeferWindowPos(count)) {}
  ~Placer() {
    if (defer_) EndDeferWindowPos(defer_);
  }
  void Put(HWND w, int x, int y, int width, int height) {
    if (!w) return;
    if (width < 0) width = 0;
    if (defer_) defer_ = DeferWindowPos(defer_, w, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!defer_) SetWindowPos(w, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  HDWP defer_;
};

void SetScrollRange(HWND page, int content, int page_height, int pos) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = content > 0 ? content - 1 : 0;
  si.nPage = static_cast<UINT>(page_height > 0 ? page_height : 0);
  si.nPos = pos;
  SetScrollInfo(page, SB_VERT, &si, TRUE);
  RepaintDarkScrollBars(page);
}

int MaxScroll(HWND page) {
  RECT client;
  GetClientRect(page, &client);
  int rest = Scrolls()[page].content - client.bottom;
  return rest > 0 ? rest : 0;
}

void ScrollPageTo(HWND page, int pos) {
  if (pos > MaxScroll(page)) pos = MaxScroll(page);
  if (pos < 0) pos = 0;
  int old = GetScrollPos(page, SB_VERT);
  if (pos == old) return;
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(page, SB_VERT, &si, TRUE);
  RepaintDarkScrollBars(page);
  ScrollWindowEx(page, 0, old - pos, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void VerticalScroll(HWND page, int request) {
  RECT client;
  GetClientRect(page, &client);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(page, SB_VERT, &si);
  int pos = si.nPos;
  switch (request) {
    case SB_LINEUP: pos -= S(kLineStep); break;
    case SB_LINEDOWN: pos += S(kLineStep); break;
    case SB_PAGEUP: pos -= client.bottom; break;
    case SB_PAGEDOWN: pos += client.bottom; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = MaxScroll(page); break;
    default: return;
  }
  ScrollPageTo(page, pos);
}

void Wheel(HWND page, int delta) {
  ScrollState& state = Scrolls()[page];
  state.wheel_rest += delta;
  int notches_px = state.wheel_rest * S(kWheelStep) / WHEEL_DELTA;
  if (notches_px == 0) return;
  state.wheel_rest -= notches_px * WHEEL_DELTA / S(kWheelStep);
  if (MaxScroll(page) == 0) {
    state.wheel_rest = 0;
    return;
  }
  ScrollPageTo(page, GetScrollPos(page, SB_VERT) - notches_px);  // forward scrolls up
}
}  // namespace

// Without SS_NOPREFIX: the page gives its labels access keys.
HWND PageLayout::Label(const std::string& text) { return Make(L"STATIC", text, SS_LEFT, -1); }

HWND PageLayout::Make(const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex_style) {
  HWND w = CreateWindowExW(ex_style, window_class, Utf8ToUtf16(text).c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0,
                           0, 0, page_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  if (!w) return nullptr;
  SetUiFont(w);
  ThemeControl(w, window_class);
  return w;
}

void PageLayout::LabelledRow(HWND label, std::vector<Cell> cells) {
  Row row;
  row.kind = Kind::Labelled;
  row.label = label;
  row.cells = std::move(cells);
  for (const Cell& c : row.cells)
    if (label && c.window) companions_[c.window].push_back(label);
  rows_.push_back(std::move(row));
}

HWND PageLayout::Check(int id, const std::string& text) {
  HWND check = Make(L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, id);
  Row row;
  row.kind = Kind::Check;
  row.cells.push_back({check, 0, 0});
  rows_.push_back(std::move(row));
  return check;
}

HWND PageLayout::Choice(int id, const std::string& label, int width) {
  HWND text = Label(label);
  HWND combo = Make(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id);
  LabelledRow(text, {{combo, width, 300}});
  return combo;
}

HWND PageLayout::Edit(int id, const std::string& label, int width) {
  HWND text = Label(label);
  HWND edit = Make(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, id, WS_EX_CLIENTEDGE);
  LabelledRow(text, {{edit, width, 0}});
  return edit;
}

HWND PageLayout::Number(int id, const std::string& label, int low, int high) {
  HWND text = Label(label);
  HWND edit = Make(L"EDIT", "", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, id, WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_SETLIMITTEXT, 6, 0);
  HWND spin = Make(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, -1);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
  LabelledRow(text, {{edit, 76, 0}});
  companions_[edit].push_back(spin);
  spins_.push_back({edit, spin});
  return edit;
}

HWND PageLayout::PathRow(int edit_id, const std::string& label, int browse_id, int clear_id,
                         const std::string& clear_tip) {
  HWND text = Label(label);
  HWND edit = Make(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, edit_id, WS_EX_CLIENTEDGE);
  HWND browse = Make(L"BUTTON", "Browse\u2026", BS_PUSHBUTTON | WS_TABSTOP, browse_id);
  HWND clear = Make(L"BUTTON", clear_tip, BS_OWNERDRAW | WS_TABSTOP, clear_id);  // named as its tooltip
  ShowGlyph(clear, L"\u00D7");
  LabelledRow(text, {{edit, 0, 0}, {browse, 68, 0}, {clear, 24, 0}});
  if (!tips_) tips_ = CreateTooltips(page_);
  AddTooltip(tips_, clear, clear_tip);
  return edit;
}

HWND PageLayout::Button(int id, const std::string& text, int width) {
  HWND button = Make(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id);
  ButtonRow({{button, width, 0}}, false);
  return button;
}

void PageLayout::ButtonRow(std::vector<Cell> cells, bool at_control_column) {
  Row row;
  row.kind = Kind::Buttons;
  row.cells = std::move(cells);
  row.at_control_column = at_control_column;
  rows_.push_back(std::move(row));
}

void PageLayout::TextRow(HWND text) {
  Row row;
  row.kind = Kind::Text;
  row.cells.push_back({text, 0, 0});
  rows_.push_back(std::move(row));
}

void PageLayout::TallRow(HWND control, int height) {
  Row row;
  row.kind = Kind::Tall;
  row.cells.push_back({control, 0, 0});
  row.height = height;
  rows_.push_back(std::move(row));
}

void PageLayout::BeginGroup(const std::string& title) {
  Row row;
  row.kind = Kind::GroupStart;
  // Clipped by the controls above it, so that its painting never covers them.
  row.label = Make(L"BUTTON", title, BS_GROUPBOX | WS_CLIPSIBLINGS, -1);
  AddSubclass(row.label, GroupBoxProc, 1, 0);
  open_group_ = row.label;
  rows_.push_back(std::move(row));
}

void PageLayout::EndGroup() {
  // Below every control made so far, which includes those it holds (a new
  // child window comes last, below the others).
  if (open_group_) SetWindowPos(open_group_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  open_group_ = nullptr;
  Row row;
  row.kind = Kind::GroupEnd;
  rows_.push_back(std::move(row));
}

int PageLayout::Place(int width, int scroll) {
  int height = PlaceRows(width, scroll);
  // Spin buttons sit inside the right end of their field wherever it went.
  for (const auto& [edit, spin] : spins_) SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  return height;
}

int PageLayout::PlaceRows(int width, int scroll) {
  Placer put(static_cast<int>(rows_.size() * 3));
  int y = S(kMargin);
  int indent = 0;
  HWND group = nullptr;
  int group_top = 0;
  for (Row& row : rows_) {
    const int left = S(kMargin) + indent;
    const int right = width - S(kMargin) - indent;
    switch (row.kind) {
      case Kind::GroupStart:
        group = row.label;
        group_top = y;
        indent = S(kGroupIndent);
        y += S(kGroupTitle);
        break;
      case Kind::GroupEnd:
        indent = 0;
        y += S(4);
        put.Put(group, S(kMargin), group_top - scroll, width - 2 * S(kMargin), y - group_top);
        y += S(kGap + 4);
        break;
      case Kind::Check:
        put.Put(row.cells[0].window, left, y - scroll, right - left, S(kCheckHeight));
        y += S(kCheckHeight + 3);
        break;
      case Kind::Text: {
        int height = TextHeight(row.cells[0].window, right - left);
        put.Put(row.cells[0].window, left, y - scroll, right - left, height);
        y += height + S(kGap);
        break;
      }
      case Kind::Tall:
        put.Put(row.cells[0].window, left, y - scroll, right - left, S(row.height));
        y += S(row.height) + S(kGap);
        break;
      case Kind::Buttons:
      case Kind::Labelled: {
        const bool labelled = row.kind == Kind::Labelled;
        const int height = labelled ? S(kControlHeight) : S(kButtonHeight);
        std::vector<int> widths;
        for (const Cell& c : row.cells) widths.push_back(c.width ? S(c.width) : 0);
        const RowMetrics metrics{left, right, S(kControlX), S(4), S(40), S(kReadableStretch)};
        const RowCellPlaces places = PlaceRowCells(widths, labelled, row.at_control_column, metrics);
        if (labelled && row.label) {
          const int label_right = places.under_label ? right : S(kControlX) - S(kGap);
          put.Put(row.label, left, y + S(4) - scroll, label_right - left, S(18));
          if (places.under_label) y += S(kLabelLine);
        }
        for (size_t i = 0; i < row.cells.size(); ++i) {
          const Cell& c = row.cells[i];
          put.Put(c.window, places.x[i], y - scroll, places.w[i], c.window_height ? S(c.window_height) : height);
        }
        y += height + S(labelled ? 5 : kGap);
        break;
      }
    }
  }
  return y + S(kMargin);
}

std::vector<HWND> PageLayout::Companions(HWND control) const {
  auto it = companions_.find(control);
  return it == companions_.end() ? std::vector<HWND>{} : it->second;
}

PageLayout* LayoutOfPage(HWND page) {
  auto it = Layouts().find(page);
  return it == Layouts().end() ? nullptr : it->second.get();
}

PageLayout& NewPageLayout(HWND page) {
  auto& slot = Layouts()[page];
  slot = std::make_unique<PageLayout>(page);
  return *slot;
}

void SetPageContentHeight(HWND page, int height) { Scrolls()[page].content = height; }

void RelayoutPage(HWND page) {
  RECT client;
  GetClientRect(page, &client);
  ScrollState& state = Scrolls()[page];
  int pos = GetScrollPos(page, SB_VERT);
  if (PageLayout* layout = LayoutOfPage(page)) {
    state.content = layout->Place(client.right, pos);
    int best = state.content - client.bottom;
    if (best < 0) best = 0;
    if (pos > best) {
      pos = best;
      layout->Place(client.right, pos);
    }
  } else if (pos > MaxScroll(page)) {
    ScrollPageTo(page, MaxScroll(page));
    pos = GetScrollPos(page, SB_VERT);
  }
  SetScrollRange(page, state.content, client.bottom, pos);
}

bool PageMessage(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_SIZE:
      RelayoutPage(page);
      *result = 0;
      return true;
    case WM_VSCROLL:
      if (lparam) return false;  // a scroll bar control of the page, not the page's own
      VerticalScroll(page, LOWORD(wparam));
      *result = 0;
      return true;
    case WM_MOUSEWHEEL:
      Wheel(page, GET_WHEEL_DELTA_WPARAM(wparam));
      *result = 0;
      return true;
    case WM_DRAWITEM:
      *result = TRUE;
      return DrawGlyphButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_DESTROY:
      Layouts().erase(page);
      Scrolls().erase(page);
      return false;
  }
  return false;
}
