#include "catalogue/game_list_view_ui_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <unordered_map>

#include "base/utf16_win.h"
#include "catalogue/game_row_paint.h"
#include "catalogue/list_columns.h"
#include "catalogue/list_state.h"
#include "catalogue/rom_scan.h"
#include "settings/settings.h"
#include "ui/dark_scroll_bars_win.h"
#include "ui/image_lists_win.h"
#include "ui/offscreen_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// What the rows show; the list view itself holds only their count and the
// selection.
struct ShownRows {
  const GameList* games = nullptr;
  std::vector<int32_t> rows;
  const IdList* favorites = nullptr;
  bool status_shown = true;
};
ShownRows shown;
bool filling = false;
// Between the header's start and end of a divider drag: only then are width
// changes the user's, to be held to a column's rules.
bool dragging_divider = false;
ColumnWidths remembered{};
// The sort triangle the header shows, as last set.
struct SortMark {
  HWND header = nullptr;
  int column = -1;
  bool ascending = true;
};
SortMark sort_mark;

int ColumnWidth(HWND list, int column) { return ListView_GetColumnWidth(list, column); }

const GameEntry* EntryOfRow(int row) {
  if (!shown.games || row < 0 || static_cast<size_t>(row) >= shown.rows.size()) return nullptr;
  size_t index = static_cast<size_t>(shown.rows[static_cast<size_t>(row)]);
  return index < shown.games->size() ? &(*shown.games)[index] : nullptr;
}

void CopyText(const std::string& utf8, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  std::wstring text = Utf8ToUtf16(utf8);
  size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::wmemcpy(buffer, text.data(), n);
  buffer[n] = L'\0';
}

void AddColumns(HWND list, const ColumnWidths& widths) {
  for (int c = 0; c < kListColumnCount; ++c) {
    std::wstring header = Utf8ToUtf16(kListColumns[c].header);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = header.data();
    column.cx = widths[c];
    column.iSubItem = c;
    ListView_InsertColumn(list, c, &column);
  }
  int order[kListColumnCount];
  for (int i = 0; i < kListColumnCount; ++i) order[i] = kColumnDisplayOrder[i];
  ListView_SetColumnOrderArray(list, kListColumnCount, order);
}

constexpr UINT_PTR kRowsPaintId = 0x4B52;  // "KR"
LRESULT CALLBACK RowsPaintProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR);

ColumnWidths CurrentWidths(HWND list) {
  ColumnWidths widths{};
  for (int c = 0; c < kListColumnCount; ++c) widths[c] = ColumnWidth(list, c);
  return widths;
}

// What a refill can change round the rows: which scroll bars there are, the
// room they leave, and where each one's thumb is.
struct ListFrame {
  bool waiting = false;  // a paint was due already (a resize in the same step, say)
  LONG bars = 0;
  RECT client = {};
  SCROLLINFO vertical = {sizeof(SCROLLINFO), SIF_ALL}, horizontal = {sizeof(SCROLLINFO), SIF_ALL};
};

ListFrame CurrentFrame(HWND list) {
  ListFrame f;
  f.waiting = GetUpdateRect(list, nullptr, FALSE) != FALSE;
  f.bars = GetWindowLongW(list, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL);
  GetClientRect(list, &f.client);
  if (!GetScrollInfo(list, SB_VERT, &f.vertical)) f.vertical = {};
  if (!GetScrollInfo(list, SB_HORZ, &f.horizontal)) f.horizontal = {};
  return f;
}

bool SameBar(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// Under Wine a scroll bar takes about as long to draw as a screenful of rows,
// so a refill draws the frame again only as far as it changed it: all of it
// when a bar came, went or moved sideways, or when a paint was due before,
// else the vertical bar alone when its thumb changed.
void RedrawAfterRefill(HWND list, const ListFrame& before, const ListFrame& after) {
  if (before.waiting || before.bars != after.bars || !EqualRect(&before.client, &after.client) ||
      !SameBar(before.horizontal, after.horizontal)) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    return;
  }
  // The list view asked for the frame while it was not drawable; the rows
  // are painted again in full either way.
  RedrawWindow(list, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
  if ((after.bars & WS_VSCROLL) && !SameBar(before.vertical, after.vertical)) {
    // Setting the position again, with redraw, draws that bar alone.
    SCROLLINFO position = {sizeof position, SIF_POS};
    position.nPos = after.vertical.nPos;
    SetScrollInfo(list, SB_VERT, &position, TRUE);
    RepaintDarkScrollBars(list);
  }
}

// What of the header a refill leaves to paint: all of it when a paint was
// due or it moved; when only its right end moved (a vertical scroll bar came
// or went), the strip it gained, as its columns stay where they were.
void RepaintHeaderAfterRefill(HWND header, bool waiting, const RECT& before, const RECT& after) {
  if (!header || (!waiting && EqualRect(&before, &after))) return;
  if (waiting || before.left != after.left || before.top != after.top || before.bottom != after.bottom) {
    InvalidateRect(header, nullptr, FALSE);
  } else if (after.right > before.right) {
    RECT gained = {before.right - after.left, 0, after.right - after.left, after.bottom - after.top};
    InvalidateRect(header, &gained, FALSE);
  }
}
}  // namespace

HWND CreateGameListView(HWND parent, int id, const Settings& settings, const RECT& at) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_OWNERDATA,
                              at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  if (!list) return nullptr;
  SetUiFont(list);
  // No LVS_EX_CHECKBOXES: a virtual list keeps no check state, so the star is
  // a plain state image that the window toggles itself (StarRowAt, Space).
  ListView_SetExtendedListViewStyle(list, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
  // Hidden columns are made hidden here, while the list is not yet shown:
  // narrowing them later costs a header layout and scroll bar update each,
  // before the window's first paint.
  ColumnWidths widths = InitialColumnWidths(settings.columns_games, Ui().dpi);
  remembered = {};
  ApplyColumnWidths(settings.columns_hidden, Ui().dpi, widths, remembered);
  AddColumns(list, widths);
  ListView_SetImageList(list, StatusImageList(S(16)), LVSIL_SMALL);
  ListView_SetImageList(list, FavoriteImageList(S(16), DimTextColour(), TextColour()), LVSIL_STATE);
  ThemeControl(list, WC_LISTVIEWW);
  AddSubclass(list, RowsPaintProc, kRowsPaintId, 0);
  shown = ShownRows{};
  sort_mark = {};
  shown.status_shown = (settings.columns_hidden & (1 << kStatusColumn)) == 0;
  return list;
}

void FillGameListView(HWND list, const GameList& games, std::vector<int32_t> rows, const IdList& favorites,
                      int32_t selected_number, int32_t hidden_bits) {
  filling = true;
  const int selected_row = RowOfGame(games, rows, selected_number);
  shown.games = &games;
  shown.rows = std::move(rows);
  shown.favorites = &favorites;
  shown.status_shown = (hidden_bits & (1 << kStatusColumn)) == 0;

  // Wine's list view draws both scroll bars at once each time the item count
  // changes (twice per change, a few milliseconds each), and again on
  // WM_SETREDRAW TRUE. The default WM_SETREDRAW, which the list view does
  // not see, marks the window as not drawable meanwhile: the list keeps its
  // scroll state current, and the bars are drawn once afterwards.
  // It also drops what the header was waiting to paint, and the header is
  // not repainted if a scroll bar came or went; both come back.
  HWND header = ListView_GetHeader(list);
  const bool header_waiting = header && GetUpdateRect(header, nullptr, FALSE);
  RECT header_before = {}, header_after = {};
  if (header) GetWindowRect(header, &header_before);
  const ListFrame frame_before = CurrentFrame(list);
  DefWindowProcW(list, WM_SETREDRAW, FALSE, 0);
  // Only the rows that have them lose selection and focus: a change "for
  // every row" would ask for every row's state.
  for (UINT flag : {LVNI_SELECTED, LVNI_FOCUSED}) {
    int row = ListView_GetNextItem(list, -1, flag);
    if (row >= 0) ListView_SetItemState(list, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
  }
  ListView_SetItemCountEx(list, static_cast<int>(shown.rows.size()), 0);
  // As after a fresh fill: from the top, then down to the kept selection.
  if (!shown.rows.empty()) ListView_EnsureVisible(list, 0, FALSE);
  if (selected_row >= 0) {
    ListView_SetItemState(list, selected_row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list, selected_row);
    ListView_EnsureVisible(list, selected_row, FALSE);
  }
  DefWindowProcW(list, WM_SETREDRAW, TRUE, 0);
  RedrawAfterRefill(list, frame_before, CurrentFrame(list));
  if (header) GetWindowRect(header, &header_after);
  RepaintHeaderAfterRefill(header, header_waiting, header_before, header_after);
  filling = false;
}

bool GameListViewFilling() { return filling; }

namespace {
// The rows are painted here rather than by the list view: under Wine its own
// drawing of a screenful of rows was most of a search keystroke's time. Even
// with every row custom-drawn, the list view asked for each cell's text and
// measured it before offering the row, more than half of the paint; so the
// list's WM_PAINT is taken over, and the list view keeps the header,
// scrolling, hit-testing, keys and accessibility. The alpha-blended icons are
// blended once onto each row background (the strip), so a row copies them;
// a text's width is measured once per font.
constexpr int kStripImages = kFirstStatusImage + kStatusImageCount;
enum StripRow { kStripNormal, kStripFocused, kStripUnfocused, kStripRows };

struct RowPainter {
  // The cells in the header's order and widths; asking the list view for
  // them costs more than painting a row, so they are kept until a column
  // message or a header notification passes the list.
  std::vector<RowCell> cells;
  bool cells_stale = true;
  bool list_focused = false;
  HIMAGELIST stars = nullptr, statuses = nullptr;
  int icon = 16;
  // The icon strip: one row of pictures per row background.
  HDC strip = nullptr;
  HBITMAP strip_bitmap = nullptr;
  std::array<COLORREF, kStripRows> strip_backgrounds{};
  HIMAGELIST strip_stars = nullptr, strip_statuses = nullptr;
  int strip_icon = 0;
  HFONT font = nullptr;
  int text_height = 0;
  std::unordered_map<std::wstring, int> text_widths;
  // A text too wide for its cell, cut to fit with "...", and the width it was cut for.
  std::unordered_map<std::wstring, std::pair<int, std::wstring>> cut_texts;
};
RowPainter painter;

int StripRowOf(bool selected) {
  return !selected ? kStripNormal : painter.list_focused ? kStripFocused : kStripUnfocused;
}

COLORREF StripBackground(int strip_row) {
  return ThemeColour(RowColoursOf(strip_row != kStripNormal, strip_row == kStripFocused).background);
}

void PrepareStrip(HDC dc) {
  RowPainter& p = painter;
  std::array<COLORREF, kStripRows> backgrounds;
  for (int r = 0; r < kStripRows; ++r) backgrounds[static_cast<size_t>(r)] = StripBackground(r);
  if (p.strip && backgrounds == p.strip_backgrounds && p.stars == p.strip_stars && p.statuses == p.strip_statuses &&
      p.icon == p.strip_icon)
    return;
  if (!p.strip) p.strip = CreateCompatibleDC(dc);
  if (p.strip_bitmap) DeleteObject(p.strip_bitmap);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, p.icon * kStripImages, -p.icon * kStripRows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  p.strip_bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(p.strip, p.strip_bitmap);
  for (int r = 0; r < kStripRows; ++r) {
    RECT band = {0, r * p.icon, p.icon * kStripImages, (r + 1) * p.icon};
    SetBkColor(p.strip, backgrounds[static_cast<size_t>(r)]);
    ExtTextOutW(p.strip, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    for (int i = 0; i < kStripImages; ++i) {
      HIMAGELIST images = i < kFirstStatusImage ? p.stars : p.statuses;
      int index = i < kFirstStatusImage ? i : i - kFirstStatusImage;
      if (images) ImageList_Draw(images, index, p.strip, i * p.icon, r * p.icon, ILD_TRANSPARENT);
    }
  }
  p.strip_backgrounds = backgrounds;
  p.strip_stars = p.stars;
  p.strip_statuses = p.statuses;
  p.strip_icon = p.icon;
}

void PrepareText(HDC dc) {
  HFONT font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  if (font == painter.font) return;
  painter.font = font;
  painter.text_widths.clear();
  painter.cut_texts.clear();
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  painter.text_height = metrics.tmHeight;
}

int TextWidth(HDC dc, const std::wstring& text) {
  auto found = painter.text_widths.find(text);
  if (found != painter.text_widths.end()) return found->second;
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  painter.text_widths.emplace(text, size.cx);
  return size.cx;
}

// As DrawText's end ellipsis cuts it: as many characters as fit before "...".
const std::wstring& CutText(HDC dc, const std::wstring& text, int width) {
  auto& cut = painter.cut_texts[text];
  if (cut.first != width || cut.second.empty()) {
    int fit = 0;
    SIZE size = {};
    GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), std::max(0, width - TextWidth(dc, L"...")),
                          &fit, nullptr, &size);
    cut = {width, text.substr(0, static_cast<size_t>(std::max(0, fit))) + L"..."};
  }
  return cut.second;
}

void PaintCellText(HDC dc, const std::wstring& text, RECT box) {
  box.left += S(6);
  box.right -= S(6);
  const int width = static_cast<int>(box.right - box.left);
  if (width <= 0 || text.empty()) return;
  // Measured and cut once: DrawText measured every cut text at every paint.
  const std::wstring& shown = TextWidth(dc, text) <= width ? text : CutText(dc, text, width);
  const int y = static_cast<int>(box.top + (box.bottom - box.top) / 2 - painter.text_height / 2);
  ExtTextOutW(dc, box.left, y, ETO_CLIPPED, &box, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);
}

void PaintRow(HDC dc, int row, RECT box, bool selected, bool focus_mark) {
  const GameEntry* entry = EntryOfRow(row);
  if (!entry || painter.cells.empty()) return;
  const int strip_row = StripRowOf(selected);
  RowColours colours = RowColoursOf(selected, painter.list_focused);
  RECT row_box = {box.left, box.top, box.left + painter.cells.back().right, box.bottom};
  SetBkColor(dc, ThemeColour(colours.background));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row_box, nullptr, 0, nullptr);
  SetTextColor(dc, ThemeColour(colours.text));
  SetBkMode(dc, TRANSPARENT);
  const bool favorite = shown.favorites && IdListContains(*shown.favorites, entry->number);
  for (const RowCell& cell : painter.cells) {
    RECT cell_box = {box.left + cell.left, box.top, box.left + cell.right, box.bottom};
    int image = CellImage(cell.column, favorite, shown.status_shown, StatusImageOf(*entry));
    if (image >= 0) {
      // The star and the status icon sit alike in their cells.
      const LayoutRect at = IconRect(cell, box.bottom - box.top, painter.icon, S(2));
      if (at.w > 0)
        BitBlt(dc, box.left + at.x, box.top + at.y, at.w, painter.icon, painter.strip, image * painter.icon,
               strip_row * painter.icon, SRCCOPY);
    } else if (cell.column != 0 && cell.column != kStatusColumn) {
      PaintCellText(dc, Utf8ToUtf16(CellText(*entry, cell.column)), cell_box);
    }
  }
  if (focus_mark) DrawFocusRect(dc, &row_box);
}

// The rows start below the header, which is a child window the list view
// does not clip its painting by.
int HeaderHeight(HWND list) {
  RECT box = {};
  if (HWND header = ListView_GetHeader(list); header && IsWindowVisible(header)) GetWindowRect(header, &box);
  return static_cast<int>(box.bottom - box.top);
}

// The rows of `area` (client coordinates) and the background around them,
// into `dc`.
void PaintRows(HWND list, HDC dc, const RECT& area) {
  RowPainter& p = painter;
  if (p.cells_stale) {
    std::array<int, kListColumnCount> order{};
    if (!ListView_GetColumnOrderArray(list, kListColumnCount, order.data())) return;
    p.cells = RowCells(order, CurrentWidths(list));
    p.cells_stale = false;
  }
  p.list_focused = GetFocus() == list;
  p.stars = ListView_GetImageList(list, LVSIL_STATE);
  p.statuses = ListView_GetImageList(list, LVSIL_SMALL);
  p.icon = S(16);
  HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  PrepareStrip(dc);
  PrepareText(dc);

  RECT client;
  GetClientRect(list, &client);
  const int rows_top = HeaderHeight(list);
  const int count = ListView_GetItemCount(list);
  const int top = ListView_GetTopIndex(list);
  RECT first = {};
  int row_height = 0, rows_bottom = rows_top, rows_right = client.left;
  if (count > 0 && top >= 0 && top < count && ListView_GetItemRect(list, top, &first, LVIR_BOUNDS)) {
    row_height = static_cast<int>(first.bottom - first.top);
    rows_right = static_cast<int>(first.left) + (p.cells.empty() ? 0 : p.cells.back().right);
  }
  // One selected row at most (LVS_SINGLESEL).
  const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  const bool focus_shown = p.list_focused && !(SendMessageW(list, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  for (int row = top; row_height > 0 && row < count; ++row) {
    RECT box = first;
    OffsetRect(&box, 0, (row - top) * row_height);
    if (box.top >= area.bottom || box.top >= client.bottom) break;
    rows_bottom = static_cast<int>(box.bottom);
    if (box.bottom <= area.top) continue;
    PaintRow(dc, row, box, row == selected, focus_shown && row == focused);
  }
  SetBkColor(dc, ListView_GetBkColor(list));
  const RECT right = {std::max(rows_right, static_cast<int>(client.left)), rows_top, client.right, rows_bottom};
  const RECT below = {client.left, rows_bottom, client.right, client.bottom};
  for (const RECT& gap : {right, below}) {
    RECT part;
    if (IntersectRect(&part, &gap, &area)) ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &part, nullptr, 0, nullptr);
  }
  SelectObject(dc, old_font);
}

// The rows are painted off screen and copied at once, so a row is never seen
// between its background and its text.
void PaintListArea(HWND list, HDC dc, RECT area) {
  // A copy over the header would hide it until it paints again, which a
  // refill does not ask it to do.
  area.top = std::max(area.top, static_cast<LONG>(HeaderHeight(list)));
  if (area.right <= area.left || area.bottom <= area.top) return;
  OffscreenPaint buffered(dc, area);
  PaintRows(list, buffered.dc(), area);
}

// Whether the list's owner refuses what the header asks: to start dragging a
// divider, or to change a column. Windows' list view passes these questions on
// to its owner, Wine's answers them itself, so they are asked here first (asked
// twice, the answer is the same).
bool OwnerRefusesHeaderChange(HWND list, const NMHDR* notice) {
  if (notice->hwndFrom != ListView_GetHeader(list)) return false;
  switch (notice->code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
      return SendMessageW(GetParent(list), WM_NOTIFY, notice->idFrom, reinterpret_cast<LPARAM>(notice)) != 0;
    default:
      return false;
  }
}

// The header asks for the dragged column's last width after it has said the
// drag ended, and lets the mouse go after that.
void EndOfDividerDrag(HWND list, const NMHDR* notice) {
  if (notice->hwndFrom == ListView_GetHeader(list) && notice->code == static_cast<UINT>(NM_RELEASEDCAPTURE))
    dragging_divider = false;
}

LRESULT CALLBACK RowsPaintProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(list, &ps);
      PaintListArea(list, dc, ps.rcPaint);
      EndPaint(list, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(list, &client);
      PaintListArea(list, reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_NOTIFY:
      if (OwnerRefusesHeaderChange(list, reinterpret_cast<const NMHDR*>(lparam))) return TRUE;
      [[fallthrough]];
    case LVM_SETCOLUMNWIDTH:
    case LVM_SETCOLUMNW:
    case LVM_SETCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_INSERTCOLUMNA:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNORDERARRAY: {
      // Stale after the list view has taken the change (a paint on the way
      // could have read the columns half changed).
      LRESULT result = CallNextSubclass(list, message, wparam, lparam);
      if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lparam)->hwndFrom == ListView_GetHeader(list))
        painter.cells_stale = true;
      if (message == WM_NOTIFY) EndOfDividerDrag(list, reinterpret_cast<const NMHDR*>(lparam));
      return result;
    }
    case WM_NCDESTROY:
      painter.cells_stale = true;
      RemoveSubclass(list, RowsPaintProc, id);
      break;
  }
  return CallNextSubclass(list, message, wparam, lparam);
}
}  // namespace

int StatusImageOf(const GameEntry& entry) { return static_cast<int>(GameRomStatus(entry)); }

void AnswerGameListDisplayInfo(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  const GameEntry* entry = EntryOfRow(item.iItem);
  if (item.mask & LVIF_TEXT) CopyText(entry ? CellText(*entry, item.iSubItem) : "", item.pszText, item.cchTextMax);
  if (item.mask & LVIF_IMAGE) {
    // Only the Status column has an image, and only while it is shown.
    item.iImage = entry && item.iSubItem == kStatusColumn && shown.status_shown ? StatusImageOf(*entry) : I_IMAGENONE;
  }
  if ((item.mask & LVIF_STATE) && item.iSubItem == 0) {
    bool favorite = entry && shown.favorites && IdListContains(*shown.favorites, entry->number);
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(favorite ? 2 : 1);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

int GameIndexOfRow(HWND, int row) {
  if (row < 0 || static_cast<size_t>(row) >= shown.rows.size()) return -1;
  return shown.rows[static_cast<size_t>(row)];
}

int SelectedGameIndex(HWND list) { return GameIndexOfRow(list, ListView_GetNextItem(list, -1, LVNI_SELECTED)); }

int StarRowAt(HWND list, POINT client) {
  LVHITTESTINFO hit = {};
  hit.pt = client;
  const int row = ListView_HitTest(list, &hit);
  RECT box = {};
  std::array<int, kListColumnCount> order{};
  if (row < 0 || !ListView_GetItemRect(list, row, &box, LVIR_BOUNDS) ||
      !ListView_GetColumnOrderArray(list, kListColumnCount, order.data()))
    return -1;
  // The star's own rectangle, as the rows are painted: the list view's hit
  // test reports its state icon by the column order it assumes, not by where
  // the star is drawn.
  const LayoutRect star = StarRect(RowCells(order, CurrentWidths(list)), box.bottom - box.top, S(16), S(2));
  const int x = client.x - box.left, y = client.y - box.top;
  return x >= star.x && x < star.Right() && y >= star.y && y < star.Bottom() ? row : -1;
}

void RedrawGameRow(HWND list, int row) {
  if (row >= 0) ListView_RedrawItems(list, row, row);
}

std::string GameListCellTip(HWND list, const GameList& games, int row, int column) {
  int index = GameIndexOfRow(list, row);
  if (column != kStatusColumn || index < 0 || static_cast<size_t>(index) >= games.size()) return "";
  return RomStatusTip(GameRomStatus(games[static_cast<size_t>(index)]));
}

void ApplyColumnVisibility(HWND list, Settings& settings) {
  bool was = filling;
  filling = true;
  ColumnWidths widths = CurrentWidths(list);
  settings.columns_hidden = ApplyColumnWidths(settings.columns_hidden, Ui().dpi, widths, remembered);
  for (int c = 0; c < kListColumnCount; ++c)
    if (ColumnWidth(list, c) != widths[c]) ListView_SetColumnWidth(list, c, widths[c]);
  // The status icons go and come back with their column.
  shown.status_shown = (settings.columns_hidden & (1 << kStatusColumn)) == 0;
  filling = was;
  InvalidateRect(list, nullptr, TRUE);
}

int GameListNeededWidth(HWND list, const Settings& settings) {
  ColumnWidths widths{};
  if (list) {
    widths = CurrentWidths(list);
  } else {
    widths = InitialColumnWidths(settings.columns_games, Ui().dpi);
    ColumnWidths remembered_here{};
    ApplyColumnWidths(settings.columns_hidden, Ui().dpi, widths, remembered_here);
  }
  int needed = SystemMetric(SM_CXVSCROLL) + 2 * SystemMetric(SM_CXEDGE);
  for (int w : widths) needed += w;
  return needed;
}

void ResetColumnWidths(HWND list, Settings& settings) {
  const int32_t none[kListColumnCount] = {};
  ColumnWidths widths = InitialColumnWidths(none, Ui().dpi);
  remembered = {};
  bool was = filling;
  filling = true;
  for (int c = 0; c < kListColumnCount; ++c) ListView_SetColumnWidth(list, c, widths[c]);
  filling = was;
  ApplyColumnVisibility(list, settings);
}

void SetSortMark(HWND list, int column, bool ascending) {
  HWND header = ListView_GetHeader(list);
  // Every refill comes here; reading the marks back costs a message per column.
  if (header == sort_mark.header && column == sort_mark.column && ascending == sort_mark.ascending) return;
  sort_mark = {header, column, ascending};
  for (int c = 0; c < kListColumnCount; ++c) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, c, &item);
    const int before = item.fmt;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    // An unchanged header is not painted again.
    if (item.fmt != before) Header_SetItem(header, c, &item);
  }
}

bool GameListHeaderNotify(HWND list, const NMHDR* header, int32_t hidden_bits, LRESULT* result) {
  if (header->hwndFrom != ListView_GetHeader(list)) return false;
  const auto* h = reinterpret_cast<const NMHEADERW*>(header);
  switch (header->code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
      if (hidden_bits & (1 << h->iItem)) {
        *result = TRUE;  // a hidden column cannot be widened
        return true;
      }
      dragging_divider = true;
      return false;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
      if (!dragging_divider || filling || !h->pitem || !(h->pitem->mask & HDI_WIDTH)) return false;
      if (!ColumnDragAllowed(h->iItem, h->pitem->cxy, ColumnWidth(list, h->iItem), hidden_bits, Ui().dpi)) {
        *result = TRUE;
        return true;
      }
      return false;
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA: {
      if (hidden_bits & (1 << h->iItem)) {
        *result = TRUE;
        return true;
      }
      SendMessageW(list, WM_SETREDRAW, FALSE, 0);
      ListView_SetColumnWidth(list, h->iItem, LVSCW_AUTOSIZE_USEHEADER);
      int fitted = FittedColumnWidth(h->iItem, ColumnWidth(list, h->iItem), Ui().dpi);
      ListView_SetColumnWidth(list, h->iItem, fitted);
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(list, nullptr, TRUE);
      *result = TRUE;
      return true;
    }
  }
  return false;
}

void StoreColumnWidths(HWND list, Settings& settings) {
  SavedColumnWidths(CurrentWidths(list), settings.columns_hidden, Ui().dpi, settings.columns_games);
}

bool PointOnHeader(HWND list, POINT screen) {
  RECT r;
  HWND header = ListView_GetHeader(list);
  return header && IsWindowVisible(header) && GetWindowRect(header, &r) && PtInRect(&r, screen);
}
