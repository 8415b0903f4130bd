#include "app/main_window_ui_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/status_text.h"
#include "base/text_util.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_view_ui_win.h"
#include "catalogue/rom_scan.h"
#include "launch/mame_location.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/app_state.h"
#include "ui/tool_bar_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_placement_win.h"

// The toolbar, left to right: command id, icon, tooltip (separators have id 0).
const ToolItem kToolItems[kToolItemCount] = {
    {200, 0, "Refresh (F5)"},
    {112, 1, "Favorites Only"},
    {114, 11, "List Only Available ROMs"},
    {0, 0, nullptr},
    {106, 2, "Play"},
    {105, 3, "Stop"},
    {113, 4, "Fullscreen (on/off for the games you start)"},
    {0, 0, nullptr},
    {116, 5, "Settings"},
    {117, 6, "Video Settings"},
    {115, 12, "Audio Settings"},
    {118, 7, "Controls Settings"},
    {119, 8, "Combos Settings"},
};

namespace {
bool SearchBarShown(const MainWindow& m) {
  return m.search_bar_state == 1 || (m.search_bar_state == -1 && !App().settings.search_bar_hidden);
}

// Layout runs on every resize and bar change: a control already where it
// belongs is left alone, since every move or show is a trip to the window
// server.
void Place(HWND w, const LayoutRect& r, bool shown) {
  if (!w) return;
  const bool visible = (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown) {
    RECT now;
    GetWindowRect(w, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != r.x || now.top != r.y || now.right - now.left != r.w || now.bottom - now.top != r.h)
      MoveWindow(w, r.x, r.y, r.w, r.h, FALSE);
  }
  if (visible != shown) ShowWindow(w, shown ? SW_SHOWNA : SW_HIDE);
}

// The main window's own controls (not their children), where each is and
// whether it shows.
std::vector<HWND> TopControls(HWND window) {
  std::vector<HWND> controls;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
  return controls;
}

std::vector<Placed> Placements(HWND window, const std::vector<HWND>& controls) {
  std::vector<Placed> out;
  for (HWND c : controls) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    out.push_back({{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                    static_cast<int>(r.bottom - r.top)},
                   (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) != 0});
  }
  return out;
}
}  // namespace

MainWindow& Main() {
  static MainWindow window;
  return window;
}

MainLayoutInput CurrentLayoutInput() {
  MainWindow& m = Main();
  const Settings& s = App().settings;
  RECT client = {}, status_rect = {};
  GetClientRect(m.window, &client);
  if (m.status) GetWindowRect(m.status, &status_rect);
  MainLayoutInput in;
  in.client_w = client.right;
  in.client_h = client.bottom;
  in.dpi = Ui().dpi;
  in.status_h = status_rect.bottom - status_rect.top;
  in.toolbar = !s.toolbar_hidden;
  in.search_bar = SearchBarShown(m);
  in.filter_bar = !s.filter_bar_hidden;
  in.classic = m.classic;
  in.splitter = s.splitter;
  in.preview = s.preview_shown != 0;
  in.preview_split = s.preview_split;
  in.list_needs_w = GameListNeededWidth(m.list, s);
  return in;
}

LayoutRect FilterFieldRect(const MainLayout& layout, FilterKind kind) {
  // Left to right: hardware, region, maker, genre.
  static const FilterKind kOrder[4] = {FilterKind::Hardware, FilterKind::Region, FilterKind::Maker,
                                       FilterKind::Genre};
  for (int i = 0; i < 4; ++i)
    if (kOrder[i] == kind) return layout.filters[i];
  return {};
}

void LayoutMainWindow() {
  MainWindow& m = Main();
  if (!m.window || !m.list) return;
  // The status bar fits itself to the window's width and its font; asked
  // again with neither changed, it lays itself out and repaints for nothing.
  static struct { HWND status; int w, h, dpi; } fitted = {};
  RECT client = {};
  GetClientRect(m.window, &client);
  if (fitted.status != m.status || fitted.w != client.right || fitted.h != client.bottom || fitted.dpi != Ui().dpi) {
    SendMessageW(m.status, WM_SIZE, 0, 0);
    fitted = {m.status, static_cast<int>(client.right), static_cast<int>(client.bottom), Ui().dpi};
  }
  MainLayoutInput in = CurrentLayoutInput();
  MainLayout layout = ComputeMainLayout(in);
  // The controls are moved without painting (one paint at the end, not one
  // per control); what moved, came or went is then painted again in full,
  // frames and scroll bars included.
  const std::vector<HWND> controls = TopControls(m.window);
  const std::vector<Placed> before = Placements(m.window, controls);

  // The toolbar's buttons move only with the DPI; the bar spans them.
  const LayoutRect& first = layout.tool_items[0];
  const LayoutRect& last = layout.tool_items[kToolItemCount - 1];
  if (in.toolbar) {
    std::vector<ToolBarItem> items;
    for (int i = 0; i < kToolItemCount; ++i) {
      const LayoutRect& r = layout.tool_items[i];
      items.push_back({kToolItems[i].id, kToolItems[i].icon,
                       {r.x - first.x, r.y - first.y, r.Right() - first.x, r.Bottom() - first.y}, kToolItems[i].tip});
    }
    SetToolBarItems(m.toolbar, items);
  }
  Place(m.toolbar, {first.x, first.y, last.Right() - first.x, first.h}, in.toolbar);
  Place(m.search_label, layout.search_label, in.search_bar);
  Place(m.search_edit, layout.search_edit, in.search_bar);
  Place(m.search_close, layout.search_close, in.search_bar);
  for (int k = 0; k < kFilterKindCount; ++k)
    Place(m.filters[k], FilterFieldRect(layout, static_cast<FilterKind>(k)), in.filter_bar);
  Place(m.reset_filters, layout.reset_filters, in.filter_bar);
  Place(m.list, layout.list, !m.list_held);
  const LayoutRect& p = layout.preview;
  PlacePreviewPane(p.x, p.y, p.w, p.h, p.w > 0 && p.h > 0);
  if (m.classic) {
    const LayoutRect& o = layout.options;
    LayoutOptionsArea({o.x, o.y, o.Right(), layout.ok.Bottom()});
  }
  HRGN stale = CreateRectRgn(0, 0, 0, 0);
  for (const LayoutRect& r : RepaintAfterLayout(before, Placements(m.window, controls))) {
    HRGN part = CreateRectRgn(r.x, r.y, r.Right(), r.Bottom());
    CombineRgn(stale, stale, part, RGN_OR);
    DeleteObject(part);
  }
  RedrawWindow(m.window, nullptr, stale, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  DeleteObject(stale);
}

void ShowTimedStatus(const std::string& text) {
  MainWindow& m = Main();
  if (!m.status) return;
  m.timed_status = CutToUtf16Units(text, 199);
  SendMessageW(m.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
  SetTimer(m.window, kStatusTimer, 5000, nullptr);
}

void RefreshControls() {
  MainWindow& m = Main();
  if (!m.window) return;
  const Settings& s = App().settings;
  SetToolEnabled(m.toolbar, 105, m.launch.running);
  SetToolEnabled(m.toolbar, 106, SelectedPlayable());
  SetToolChecked(m.toolbar, 112, s.favorites_only != 0);
  SetToolChecked(m.toolbar, 114, s.only_available != 0);
  SetToolChecked(m.toolbar, 113, FullscreenChecked());
}

void ResetWindowSize(bool user) {
  MainWindow& m = Main();
  if (IsZoomed(m.window) || IsIconic(m.window)) ShowWindow(m.window, SW_RESTORE);
  RECT now;
  GetWindowRect(m.window, &now);
  int options_w = 0;
  RECT options_rect;
  if (Options().window && GetWindowRect(Options().window, &options_rect))
    options_w = options_rect.right - options_rect.left;
  // On the monitor the window is on.
  ResetPlacement place = ResetWindowPlacement(m.classic, Ui().dpi, WorkAreaAround(now), options_w);
  if (user) {
    Settings& s = App().settings;
    s.splitter = 0;
    s.preview_split = 0;
    for (int32_t& w : s.columns_games) w = 0;
    ResetColumnWidths(m.list, s);
  }
  SetWindowPos(m.window, nullptr, place.main.x, place.main.y, place.main.w, place.main.h, SWP_NOZORDER);
  if (!m.classic)
    PlaceOptionsWindow({place.options.x, place.options.y, place.options.Right(), place.options.Bottom()});
  LayoutMainWindow();
}

void SaveViewSettings() {
  MainWindow& m = Main();
  Settings& s = App().settings;
  if (m.list) StoreColumnWidths(m.list, s);
  s.favorites_only = Button_GetCheck(m.favorites_box) == BST_CHECKED;
}

const GameEntry* SelectedGame() {
  MainWindow& m = Main();
  if (!m.list) return nullptr;
  int index = SelectedGameIndex(m.list);
  if (index < 0 || static_cast<size_t>(index) >= m.games.size()) return nullptr;
  return &m.games[static_cast<size_t>(index)];
}

bool SelectedPlayable() { return CanPlay(SelectedGame(), Main().launch.running); }

void RefreshStatus() {
  MainWindow& m = Main();
  if (!m.status) return;
  StatusFacts f;
  f.loading = m.loading;
  f.rescan = m.rescan;
  f.has_list = m.has_list;
  f.list = &m.games;
  f.selected = SelectedGame();
  f.running = m.launch.running;
  if (f.running) {
    const GameEntry* playing = FindGameByNumber(m.games, m.launch.last_game);
    f.running_title = playing ? playing->title : "";
    if (!m.launch.left_out.empty()) f.left_out = LeftOutText(m.launch.left_out);
  }
  if (m.has_list && !f.running && !f.loading) f.mame_found = MameFound();
  if (App().settings.hide_not_working)
    for (const GameEntry& e : m.games) f.hidden_not_working += (e.flags & kGameNotWorking) != 0;
  if (f.selected) {
    f.selected_has_roms = HasRoms(*f.selected);
    if (!f.selected_has_roms) ListMissingZips(*f.selected, f.missing_zips);
    f.own_settings = FindGameSettings(App().game_settings, f.selected->number) != nullptr;
  }
  std::wstring text = Utf8ToUtf16(NormalStatusText(f));
  // Every refill and selection comes here; the same text is not painted again.
  wchar_t shown[600] = L"";
  if (LOWORD(SendMessageW(m.status, SB_GETTEXTLENGTHW, 0, 0)) < 600)
    SendMessageW(m.status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  if (text != shown) SendMessageW(m.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

