#include "app/main_window_proc_ui_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "app/game_list_ui_win.h"
#include "app/main_commands_ui_win.h"
#include "app/main_focus.h"
#include "app/main_menu_ui_win.h"
#include "app/main_window_ui_win.h"
#include "app/pad_navigation_ui_win.h"
#include "app/play_ui_win.h"
#include "app/startup.h"
#include "app/status_text.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "base/timing_log_win.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_view_ui_win.h"
#include "combos/combos_tab_ui_win.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/app_state.h"
#include "ui/access_keys_win.h"
#include "ui/dark_paint_win.h"
#include "ui/drop_down_win.h"
#include "ui/flat_status_bar_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/offscreen_paint_win.h"
#include "ui/shell_win.h"
#include "ui/tab_keys_win.h"
#include "ui/theme_win.h"
#include "ui/tool_bar_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_placement_win.h"

namespace {
constexpr wchar_t kClassName[] = L"KorvoMain";

// A control is made where the first layout puts it, and visible if that
// layout shows it: moving or showing it afterwards is a trip through the
// window server each, and the first
// layout would find nothing left to do.
HWND Child(const wchar_t* window_class, const char* text, DWORD style, int id, const LayoutRect& at = {},
           bool shown = false, DWORD ex_style = 0) {
  HWND child = CreateWindowExW(ex_style, window_class, Utf8ToUtf16(text).c_str(),
                               style | WS_CHILD | (shown ? WS_VISIBLE : 0), at.x, at.y, at.w, at.h, Main().window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  SetUiFont(child);
  ThemeControl(child, window_class);
  return child;
}

// What the preview shows: the selected game, where MAME keeps its snapshots,
// and whether MAME shows this game at 4:3 (its own setting first).
PreviewSubject CurrentPreviewSubject() {
  const Settings& s = App().settings;
  PreviewSubject subject;
  subject.mame_exe = s.mame_exe;
  subject.more_options = s.more_options;
  subject.logs = s.logs != 0;
  subject.keep_aspect = s.keep_aspect != 0;
  subject.kind = s.preview_kind;
  if (const GameEntry* e = SelectedGame()) {
    subject.any = true;
    subject.set = e->set;
    subject.title = e->title;
    subject.board_line = PreviewBoardLine(BoardOf(*e), YearOf(*e));
    subject.card = MakeGameCard(*e);
    const GameSettings* own = FindGameSettings(App().game_settings, e->number);
    if (own && own->keep_aspect != kSameAsGlobal) subject.keep_aspect = own->keep_aspect != 0;
  }
  return subject;
}

// The work area of the monitor a saved window rectangle is on; the primary
// one for none.
ScreenRect WorkAreaOf(const WindowRect& saved) {
  if (saved.w > 0) return WorkAreaAround({saved.x, saved.y, saved.x + saved.w, saved.y + saved.h});
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {static_cast<int>(work.left), static_cast<int>(work.top), static_cast<int>(work.right - work.left),
          static_cast<int>(work.bottom - work.top)};
}

// What the filters' tooltips and a screen reader call them, by FilterKind.
const char* const kFilterNames[kFilterKindCount] = {"Region Filter", "Maker Filter", "Genre Filter",
                                                    "Hardware Filter"};

// The tooltip window costs as much as the toolbar it explains, and nobody
// points at a button before the window has shown itself: it comes after the
// first paint.
void CreateTooltipsLater(MainWindow& m) {
  if (m.tooltips) return;
  m.tooltips = CreateTooltips(m.window);
  for (int i = 0; i < kToolItemCount; ++i)
    if (kToolItems[i].tip)
      AddRectTooltip(m.tooltips, m.toolbar, static_cast<UINT_PTR>(kToolItems[i].id),
                     ToolRect(m.toolbar, kToolItems[i].id), kToolItems[i].tip);
  for (int k = 0; k < kFilterKindCount; ++k) AddTooltip(m.tooltips, m.filters[k], kFilterNames[k]);
  AddCellTooltips(m.tooltips, m.list,
                  [](int row, int column) { return GameListCellTip(Main().list, Main().games, row, column); });
}

void CreateBars(MainWindow& m, const MainLayoutInput& in, const MainLayout& layout) {
  m.search_label = Child(L"STATIC", "Search:", SS_LEFT, -1, layout.search_label, in.search_bar);
  m.search_edit = Child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kIdSearchEdit, layout.search_edit, in.search_bar,
                        WS_EX_CLIENTEDGE);
  SendMessageW(m.search_edit, EM_SETLIMITTEXT, 199, 0);
  m.search_close =
      Child(L"BUTTON", "Close", BS_PUSHBUTTON | WS_TABSTOP, kIdSearchClose, layout.search_close, in.search_bar);
  for (int k = 0; k < kFilterKindCount; ++k) {
    const int id = FilterSpec(static_cast<FilterKind>(k)).control_id;
    const LayoutRect r = FilterFieldRect(layout, static_cast<FilterKind>(k));
    m.filters[k] = CreateDropDown(m.window, id, {r.x, r.y, r.Right(), r.Bottom()}, in.filter_bar);
    SetDropDownName(m.filters[k], kFilterNames[k]);
  }
  m.reset_filters = Child(L"BUTTON", "Reset Filters", BS_PUSHBUTTON | WS_TABSTOP, kIdResetFilters,
                          layout.reset_filters, in.filter_bar);
  // Present but hidden: the toolbar and the menus drive them.
  m.favorites_box = Child(L"BUTTON", "Favorites Only", BS_AUTOCHECKBOX | WS_TABSTOP, kIdFavoritesBox);
  m.desktop_icon = Child(L"BUTTON", "Create Desktop Icon", BS_PUSHBUTTON, kIdDesktopIcon);
}

void CreateChildren(MainWindow& m) {
  const Settings& s = App().settings;
  // The status bar comes first, as its height shapes the layout the other
  // controls are made with; it keeps its place behind them in the order.
  m.status = CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                             m.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatusBar)), Ui().instance,
                             nullptr);
  SetUiFont(m.status);
  SendMessageW(m.status, WM_SIZE, 0, 0);
  const MainLayoutInput in = CurrentLayoutInput();
  const MainLayout layout = ComputeMainLayout(in);
  m.toolbar = CreateToolBar(m.window, kIdToolBar);
  CreateBars(m, in, layout);
  m.list = CreateGameListView(m.window, kIdGameList, s,
                              {layout.list.x, layout.list.y, layout.list.Right(), layout.list.Bottom()});
  m.preview = CreatePreviewPane(m.window, CurrentPreviewSubject, [](const std::string& kind) {
    App().settings.preview_kind = kind;
    SaveSettings(App().settings, App().settings_path);
  });
  SetWindowPos(m.status, m.preview, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  FlatStatusBar(m.status);
  SetCombosMessageTarget(m.window);
  // In the separate layout the options window and its tabs wait until
  // they are first shown.
  CreateOptionsArea(m.window, !m.classic);
  InstallPageBuilder();
  Button_SetCheck(m.favorites_box, s.favorites_only ? BST_CHECKED : BST_UNCHECKED);
  // The toolbar and the preview in their places and shown while the window
  // is not: shown with it, each would be moved and shown from its first
  // WM_SIZE, and painted from there.
  LayoutMainWindow();
}

// The first paint is done: a list that arrived before it is shown now.
void AfterFirstPaint(MainWindow& m) {
  if (m.first_paint_done) return;
  KillTimer(m.window, kAfterFirstPaintTimer);
  m.first_paint_done = true;
  // As large as the list's whole window, so that its client area growing
  // into a scroll bar that went needs no larger bitmap.
  RECT list = {};
  GetWindowRect(m.list, &list);
  PrepareOffscreenBuffer(static_cast<int>(list.right - list.left), static_cast<int>(list.bottom - list.top));
  if (LPARAM held = std::exchange(m.held_list, 0)) TakeNewGameList(held);
}

void SaveWindowRects(MainWindow& m) {
  Settings& s = App().settings;
  RECT r;
  if (!IsIconic(m.window) && !IsZoomed(m.window) && GetWindowRect(m.window, &r) && r.right - r.left > 200 &&
      r.bottom - r.top > 200)
    s.main_window = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  if (OptionsWindowRect(&r)) s.options_window_rect = {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Most saves of the settings are silent (view state, favourites, closing); in a
// folder that cannot be written they would all be lost without a word.
void SayOnceSettingsNotSaved(const std::string&) {
  MainWindow& m = Main();
  if (!m.window || m.settings_not_saved_shown) return;
  m.settings_not_saved_shown = true;
  ShowMessage(SettingsNotSavedText(LauncherFolder()), kSettingsNotSavedTitle, MB_OK | MB_ICONWARNING);
}

// Closing, also when Windows ends the session: options that were not applied
// are dropped, the layout and the view state are kept.
void SaveOnClose(MainWindow& m) {
  CallStopFilterWindow();
  DropUnappliedOptions();
  SaveViewSettings();
  SaveWindowRects(m);
  SaveSettings(App().settings, App().settings_path);
}

void HousekeepingTick(MainWindow& m) {
  // While the separate options window is up, it acts as the launcher's only
  // window; a box or dialog of its own manages the enabled state itself.
  if (OpenModalCount() == 0) {
    bool options_up = OptionsWindowVisible() && !IsIconic(Options().window);
    if (IsWindowEnabled(m.window) == options_up) EnableWindow(m.window, !options_up);
  }
  RefreshControls();
  UpdatePadPolling();
  RefreshPreview();  // after MAME options or the keep-aspect setting changed
  if (++m.ticks % 8 == 0) RescanRomsIfChanged();
}

// The keyboard focus when the window becomes active again: where the user
// had put it, or the game list, so that the first press moves the selection.
void GiveFocusBack(MainWindow& m) {
  HWND had = m.focus_left;
  FocusHolder holder = FocusHolder::kNone;
  if (had && IsChild(m.window, had) && IsWindowVisible(had) && IsWindowEnabled(had)) {
    if (had == m.list) holder = FocusHolder::kGameList;
    else if (had == m.search_edit) holder = FocusHolder::kSearchBox;
    else if (GetWindowLongW(had, GWL_STYLE) & WS_TABSTOP) holder = FocusHolder::kControl;
  }
  HWND to = FocusOnActivation(holder) == FocusHolder::kGameList ? m.list : had;
  if (to && GetFocus() != to) SetFocus(to);
}

// The first Down (or Up) into the game list while no row is selected picks
// one, as does Down from the search field, which goes on into the results.
bool FirstPressIntoList(MainWindow& m, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !m.list) return false;
  const bool from_search = msg.hwnd == m.search_edit && msg.wParam == VK_DOWN;
  const int selected = ListView_GetNextItem(m.list, -1, LVNI_SELECTED);
  if (!from_search && !(msg.hwnd == m.list && selected < 0 && (msg.wParam == VK_DOWN || msg.wParam == VK_UP)))
    return false;
  const int row = FirstPressRow(selected, ListView_GetItemCount(m.list));
  if (from_search) SetFocus(m.list);
  if (row >= 0 && row != selected) {
    ListView_SetItemState(m.list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(m.list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(m.list, row);
  }
  if (row >= 0) ListView_EnsureVisible(m.list, row, FALSE);
  return true;
}

// The bands that can be dragged: the splitter before the options area
// (Classic Layout) and the one before the preview.
enum class Band { None, Splitter, Preview };

Band BandAt(int x, int y) {
  MainLayout l = ComputeMainLayout(CurrentLayoutInput());
  auto on = [x, y](const LayoutRect& g) { return g.w > 0 && x >= g.x && x < g.Right() && y >= g.y && y < g.Bottom(); };
  if (Main().classic && on(l.grip)) return Band::Splitter;
  return on(l.preview_grip) ? Band::Preview : Band::None;
}

void SplitterMouse(MainWindow& m, UINT message, LPARAM lparam) {
  const int x = static_cast<short>(LOWORD(lparam)), y = static_cast<short>(HIWORD(lparam));
  if (message == WM_LBUTTONDOWN) {
    Band band = BandAt(x, y);
    m.dragging_splitter = band == Band::Splitter;
    m.dragging_preview = band == Band::Preview;
    if (band != Band::None) SetCapture(m.window);
  } else if (message == WM_MOUSEMOVE && (m.dragging_splitter || m.dragging_preview)) {
    Settings& s = App().settings;
    if (m.dragging_splitter)
      s.splitter = SplitterFromPointer(x, Ui().dpi);
    else
      s.preview_split = PreviewSplitFromPointer(CurrentLayoutInput(), x, y);
    LayoutMainWindow();
    RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  } else if (message == WM_LBUTTONUP && (m.dragging_splitter || m.dragging_preview)) {
    m.dragging_splitter = m.dragging_preview = false;
    ReleaseCapture();
  }
}

Band BandUnderPointer(MainWindow& m) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(m.window, &p);
  return BandAt(p.x, p.y);
}

LRESULT NotifyMessage(MainWindow& m, NMHDR* header) {
  LRESULT result = 0;
  if (header->hwndFrom == m.list || header->idFrom == kIdGameList ||
      (m.list && header->hwndFrom == ListView_GetHeader(m.list))) {
    if (HandleGameListNotify(header, &result)) return result;
    return 0;
  }
  if (OptionsAreaNotify(header)) return 0;
  if (CombosTabNotify(header, &result)) return result;
  if (OptionsNotify(header, &result)) return result;
  return 0;
}

void SwitchLayout(MainWindow& m, bool separate) {
  m.classic = !separate;
  MoveOptionsArea(separate);
  ResetWindowSize(false);
  LayoutMainWindow();
  RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindow& m = Main();
  LRESULT result = 0;
  if (DarkMenuBarMessage(window, message, wparam, lparam, &result)) return result;
  if (AccessKeyFocusMessage(window, message, wparam, lparam)) return 0;
  switch (message) {
    case WM_NCCREATE:
      m.window = window;
      DarkMenuBar(window);
      break;
    case WM_CREATE:
      CreateChildren(m);
      return 0;
    case WM_SIZE:
      LayoutMainWindow();
      if (m.first_paint_done) SetTimer(window, kRedrawTimer, 150, nullptr);  // the first paint is whole anyway
      return 0;
    case WM_DPICHANGED:
      FollowDpiChange(window, lparam);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      int w = 0, h = 0;
      MainMinimumSize(m.classic, Ui().dpi, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), &w, &h);
      info->ptMinTrackSize = {w, h};
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == CBN_DROPDOWN || HIWORD(wparam) == CBN_CLOSEUP)
        QuietTooltips(m.tooltips, HIWORD(wparam) == CBN_DROPDOWN);
      DispatchCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      QuietTooltips(m.tooltips, message == WM_ENTERMENULOOP);
      return 0;
    case WM_NOTIFY:
      return NotifyMessage(m, reinterpret_cast<NMHDR*>(lparam));
    case WM_INITMENUPOPUP:
      RefreshMenuStates(m.menu);
      return 0;
    case WM_CONTEXTMENU: {
      if (reinterpret_cast<HWND>(wparam) != m.list) break;
      POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (lparam == -1) {  // from the keyboard
        ShowSelectedRowMenu();
        return 0;
      }
      if (PointOnHeader(m.list, p)) {
        ShowColumnMenu(p);
        return 0;
      }
      break;
    }
    case WM_TIMER:
      if (wparam == kHousekeepingTimer) {
        HousekeepingTick(m);
      } else if (wparam == kStatusTimer) {
        KillTimer(window, kStatusTimer);
        wchar_t shown[600] = L"";
        SendMessageW(m.status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
        if (Utf16ToUtf8(shown) == m.timed_status) SendMessageW(m.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
      } else if (wparam == kRedrawTimer) {
        KillTimer(window, kRedrawTimer);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      } else if (wparam == kAfterFirstPaintTimer) {
        AfterFirstPaint(m);
        CreateTooltipsLater(m);
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        m.focus_left = IsChild(window, focus) ? focus : nullptr;
        break;
      }
      RescanRomsIfChanged();
      if (HIWORD(wparam)) break;  // minimised: the focus waits for the restore
      GiveFocusBack(m);
      return 0;
    case WM_ENABLE:
      // Activated while still disabled (the options window just went), it
      // could not take the focus then.
      if (wparam && GetActiveWindow() == window && !IsChild(window, GetFocus())) GiveFocusBack(m);
      break;
    case WM_ACTIVATEAPP:
      UpdatePadPolling();
      break;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      SplitterMouse(m, message, lparam);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == window && LOWORD(lparam) == HTCLIENT) {
        Band band = BandUnderPointer(m);
        if (band != Band::None) {
          SetCursor(LoadCursorW(nullptr, band == Band::Preview && m.classic ? IDC_SIZENS : IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(window, &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r, IsDarkTheme() ? FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
        return result;
      break;
    case kMsgNewGameList:
      // The window shows itself first: a list ready before the first paint
      // is taken right after it.
      if (!m.first_paint_done) {
        if (LPARAM earlier = std::exchange(m.held_list, lparam)) TakeNewGameList(earlier);
        return 0;
      }
      TakeNewGameList(lparam);
      return 0;
    case kMsgMameEnded:
      OnMameEnded();
      return 0;
    case kMsgDriverStatuses:
      TakeDriverStatuses(lparam);
      return 0;
    case kMsgRefilter:
      Refilter();
      return 0;
    case kMsgSwitchLayout:
      SwitchLayout(m, wparam != 0);
      return 0;
    case kMsgCaptureComboTrigger:
    case kMsgOpenRomCheck:
      DispatchCommand(static_cast<int>(message), 0, reinterpret_cast<HWND>(wparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) {
        m.settings_not_saved_shown = true;  // no box while the session ends
        SaveOnClose(m);
      }
      return 0;
    case WM_CLOSE:
      m.closing = true;
      SaveOnClose(m);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kHousekeepingTimer);
      StopPadPolling();
      FreePendingGameLists();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  return RegisterLauncherClass(instance, kClassName, MainWindowProc, true);
}

HWND CreateMainWindow(HINSTANCE instance, int show) {
  MainWindow& m = Main();
  Settings& s = App().settings;
  m.classic = s.options_window == 0;
  SetShellServices({[](const std::string& text) { ShowTimedStatus(text); },
                    []() -> HWND { return OptionsWindowVisible() ? Options().window : Main().window; },
                    []() {
                      if (Main().mame_end_waiting) {
                        Main().mame_end_waiting = false;
                        PostMessageW(Main().window, kMsgMameEnded, 0, 0);
                      }
                    }});
  SetSettingsSaveFailedHook(SayOnceSettingsNotSaved);

  const ScreenRect virtual_screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const WindowRect& saved = s.main_window;
  const ScreenRect r = MainWindowRect(!m.classic, Ui().dpi, WorkAreaOf(saved), virtual_screen,
                                      {saved.x, saved.y, saved.w, saved.h});

  m.menu = BuildMainMenu();
  HWND window = CreateWindowExW(0, kClassName, L"Korvo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.x, r.y, r.w, r.h,
                                nullptr, m.menu, instance, nullptr);
  if (!window) return nullptr;
  TimingMark("main window created");
  // The list loads on its own thread while the window shows itself: loaded
  // by the time the window is laid out, it is part of the first paint; later,
  // it waits for that paint to end.
  StartLoading(false);
  DarkTitleBar(window);
  HideKeyboardCuesUntilUsed(window);
  m.accelerators = BuildAccelerators();
  HoldOffscreenBuffer();
  ShowWindow(window, show);
  TimingMark("main window shown");
  if (!m.classic) {
    const WindowRect& o = s.options_window_rect;
    const ScreenRect work = WorkAreaOf(o);
    ScreenRect place = RestoredWindowRect({o.x, o.y, o.w, o.h}, virtual_screen, work);
    if (place.w <= 0) place = ResetWindowPlacement(false, Ui().dpi, work, 0).options;
    PlaceOptionsWindow({place.x, place.y, place.Right(), place.Bottom()});
  }
  ApplyColumnVisibility(m.list, s);
  FillPages();
  TimingMark("pages filled");
  LayoutMainWindow();
  // A list loaded by now (from the listing cache) is part of the first paint
  // rather than a second one.
  TakeArrivedGameList();
  // Shown with its rows: shown with the window, the list would draw its
  // frame and scroll bars once empty and again filled.
  m.list_held = false;
  ShowWindow(m.list, SW_SHOWNA);
  if (GetActiveWindow() == window) GiveFocusBack(m);
  UpdateWindow(window);
  TimingMark("main window updated");
  RebuildRecentMenu();
  RefreshControls();
  SetTimer(window, kHousekeepingTimer, 400, nullptr);
  // The message loop's idle step ends the first paint; timers come after
  // every paint that is waiting too, for loops of others (a box shown early).
  SetTimer(window, kAfterFirstPaintTimer, USER_TIMER_MINIMUM, nullptr);
  UpdatePadPolling();
  TimingMarkWhenPainted("main window painted");
  return window;
}

void MainWindowIdle() {
  MainWindow& m = Main();
  if (!m.window || (m.first_paint_done && m.tooltips)) return;
  // Painting comes after every sent and posted message: none left means the
  // window has been painted.
  if (HIWORD(GetQueueStatus(QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0) return;
  if (!m.first_paint_done)
    AfterFirstPaint(m);
  else if (m.has_list || !m.loading)  // the tooltips wait for the list's paint
    CreateTooltipsLater(m);
}

// The window whose keyboard navigation serves a message: the outermost of
// the pages, the main window and the options window it is for, so that Tab
// goes on from a page's last control to the buttons under it (OK, Cancel)
// and the tabs.
HWND NavigatingWindow(HWND window) {
  wchar_t name[17];
  HWND navigating = nullptr;
  for (HWND w = window; w; w = GetParent(w))
    if (GetClassNameW(w, name, 17) &&
        (!lstrcmpW(name, L"KorvoPage") || !lstrcmpW(name, kClassName) || !lstrcmpW(name, L"KorvoOptions")))
      navigating = w;
  return navigating;
}

bool LauncherDialogMessage(MSG& msg) {
  HWND navigating = NavigatingWindow(msg.hwnd);
  return navigating && (SwitchTabsByKey(msg) || IsDialogMessageW(navigating, &msg));
}

bool PreTranslateMainMessage(MSG& msg) {
  MainWindow& m = Main();
  if (!m.window) return false;
  if (m.accelerators && TranslateAcceleratorW(m.window, m.accelerators, &msg)) return true;
  if (FirstPressIntoList(m, msg)) return true;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && !(msg.lParam & (1 << 30)) &&
      (msg.hwnd == m.list || msg.hwnd == m.search_edit || msg.hwnd == m.favorites_box)) {
    if (SelectedGame()) PlaySelected(nullptr);
    return true;
  }
  return false;
}

