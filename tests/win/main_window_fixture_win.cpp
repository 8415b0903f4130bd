#include "main_window_fixture_win.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "catalogue/game_list_loader.h"
#include "combos/combo_rows.h"
#include "controls/input_mapping.h"
#include "launch/launch_wiring.h"
#include "optionsarea/options_area_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/game_settings.h"
#include "ui/shell_win.h"
#include "ui/tool_bar_win.h"

MainWindowFixture::MainWindowFixture(const std::string& settings_text, bool with_mame) : ScratchLauncher(with_mame) {
  for (const char* zip : {"sfex2.zip", "coh3002c.zip", "tekken3.zip"}) Write(std::string("roms\\") + zip, "PK\5\6");
  if (!settings_text.empty()) Write("korvo-settings.cfg", settings_text);
  AppState& app = App();
  app.first_run = false;
  LoadSettings(app.settings, app.settings_path);
  app.display_modes = {{800, 600}, {1024, 768}, {1280, 1024}};
  InstallLaunchHooks();
}

MainWindowFixture::~MainWindowFixture() {
  if (IsWindow(Main().window)) Close();
  // What the launcher freed on its way out was its own to free, and of the kind it thought.
  const std::string heap_fault = g_heap_fault ? g_heap_fault() : "";
  if (g_journey_check) g_journey_check(heap_fault.empty(), heap_fault);
  // A box still counted open would hold back the report of MAME's end and the options window's hand-over.
  if (g_journey_check) g_journey_check(OpenModalCount() == 0, "a box or dialog is still counted open");
  // A task still asking MAME would read the next test's folder.
  WaitForListTasks(70000);
  Main() = MainWindow{};
  Options() = OptionsArea{};
  // What the window loaded from this folder must not follow the next test.
  Combos() = CombosState{};
  TheInputMapping() = InputMapping{};
  // Wait for a MAME that may still run in the folder before it is removed.
  PumpMessagesFor(200);
}

bool MainWindowFixture::Open(int dpi) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  InitUiMetrics(instance);
  if (dpi) SetUiDpi(dpi);
  RegisterMainWindowClass(instance);
  RegisterOptionsClasses(instance);
  LoadGameSettings(App().game_settings, dir.File(kGameSettingsFileName));  // as the program's start does
  if (!CreateMainWindow(instance, SW_SHOW)) return false;
  return WaitFor([] { return Main().has_list && !Main().loading; });
}

namespace {
bool InMenu(HMENU menu, int id) {
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
    if (GetSubMenu(menu, i) ? InMenu(GetSubMenu(menu, i), id) : static_cast<int>(GetMenuItemID(menu, i)) == id) return true;
  return false;
}
bool HasControl(HWND window, int id) {
  std::pair<int, bool> ask = {id, false};
  EnumChildWindows(window, [](HWND c, LPARAM out) {
    auto& [wanted, found] = *reinterpret_cast<std::pair<int, bool>*>(out);
    found = found || GetDlgCtrlID(c) == wanted;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&ask));
  return ask.second;
}
bool Offered(int id) {
  std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableW(Main().accelerators, nullptr, 0)));
  CopyAcceleratorTableW(Main().accelerators, keys.data(), static_cast<int>(keys.size()));
  const RECT tool = ToolRect(Main().toolbar, id);
  return InMenu(GetMenu(Main().window), id) || !IsRectEmpty(&tool) || HasControl(Main().window, id) ||
         HasControl(Options().window, id) || std::any_of(keys.begin(), keys.end(), [&](ACCEL k) { return k.cmd == id; });
}

// Where each of the window's own shown controls sits (a pane's inside follows its answers, which come in their time).
std::string Placement() {
  std::string placed;
  for (HWND c = GetWindow(Main().window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    const RECT r = RectIn(c, nullptr);
    char one[64];
    snprintf(one, sizeof one, "%d:%ld,%ld,%ld,%ld ", GetDlgCtrlID(c), r.left, r.top, r.right, r.bottom);
    placed += one;
  }
  return placed;
}
}  // namespace

void MainWindowFixture::Command(int id, int code) {
  if (g_journey_check) g_journey_check(code || Offered(id), "command " + std::to_string(id) + " is offered nowhere");
  // What earlier steps posted is handled first, as the program's loop does.
  if (g_journey_check) PumpMessagesFor(0);
  SendMessageW(Main().window, WM_COMMAND, MAKEWPARAM(id, code), 0);
  if (!g_journey_check || !IsWindow(Main().window)) return;
  // A command that shows, hides or resizes something lays the window out again: a fresh layout moves nothing.
  const std::string placed = Placement();
  LayoutMainWindow();
  g_journey_check(Placement() == placed, "command " + std::to_string(id) + " left the window's layout stale");
}

void MainWindowFixture::Close() {
  SendMessageW(Main().window, WM_CLOSE, 0, 0);
  PumpMessagesFor(50);  // which also takes the quit message the window posts for the program's loop
}

int MainWindowFixture::RowOfGame(const std::string& set) const {
  const GameEntry* entry = FindGameBySet(Main().games, set);
  if (!entry) return -1;
  for (int row = 0; row < Rows(); ++row)
    if (CellText(row, 1) == std::to_string(entry->number)) return row;
  return -1;
}

std::string FixturePath(const std::string& relative) {
  std::string path = std::string(KORVO_FIXTURES) + "/" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void MainWindowFixture::AddSnapshot(const std::string& fixture, const std::string& relative, int minutes_ago) const {
  std::string to = dir.File("snap\\" + relative);
  Write("snap\\" + relative, "");  // its folders
  CopyInto(FixturePath(fixture), to);
  const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutes_ago);
  std::filesystem::last_write_time(std::filesystem::path(Utf8ToUtf16(to)), when);
}

std::string MainWindowFixture::StalePixels() const {
  // A picture, or MAME's word on how well the games run, still on its way is late, not stale.
  if (IsWindowVisible(Main().preview)) WaitFor([] { return PreviewPaneShown().answered; });
  WaitFor([] { return std::any_of(Main().games.begin(), Main().games.end(), [](const GameEntry& g) { return g.driver.Known(); }); },
          5000);
  RECT window, caret = {};
  GetWindowRect(Main().window, &window);
  wchar_t name[8] = L"";
  if (HWND focus = GetFocus(); focus && GetClassNameW(focus, name, 8) && !lstrcmpiW(name, L"Edit")) caret = RectIn(focus, nullptr);
  // Pixels of the main window that differ between two captures, a caret and windows above it (a tooltip) aside.
  auto differing = [&](const WindowPixels& a, const WindowPixels& b, const std::function<void(POINT)>& each) {
    std::vector<RECT> above;
    for (HWND w = GetWindow(Main().window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
      if (IsWindowVisible(w)) above.push_back(RectIn(w, nullptr));
    int count = 0;
    for (LONG y = window.top; y < window.bottom; ++y)
      for (LONG x = window.left; x < window.right; ++x)
        if (a.At({x, y}) != b.At({x, y}) && !PtInRect(&caret, {x, y}) &&
            std::none_of(above.begin(), above.end(), [&](const RECT& r) { return PtInRect(&r, {x, y}) != 0; }))
          ++count, each ? each({x, y}) : void();
    return count;
  };
  // What is late (a card's text, a hover) settles; what is stale stays as it is until the repaint below.
  auto seen = std::make_unique<WindowPixels>(nullptr);
  for (int i = 0; i < 30; ++i) {
    PumpMessagesFor(100);
    auto again = std::make_unique<WindowPixels>(nullptr);
    const bool settled = differing(*seen, *again, {}) == 0;
    seen = std::move(again);
    if (settled) break;
  }
  RedrawWindow(Main().window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessagesFor(100);
  const WindowPixels drawn(nullptr);
  RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  std::map<std::string, int> over;  // the controls the stale pixels lie in, by class
  const int stale = differing(*seen, drawn, [&](POINT p) {
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x + 1), std::max(box.bottom, p.y + 1)};
    wchar_t kind[64] = L"";
    GetClassNameW(WindowFromPoint(p), kind, 64);
    ++over[Utf16ToUtf8(kind)];
  });
  if (!stale) return "";
  std::string where = std::to_string(stale) + " stale pixels in (" + std::to_string(box.left) + "," + std::to_string(box.top) +
                      ")-(" + std::to_string(box.right) + "," + std::to_string(box.bottom) + ") over";
  for (const auto& [kind, count] : over) where += " " + kind + ":" + std::to_string(count);
  return where;
}
