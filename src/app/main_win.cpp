// korvo.exe's entry: start-up in its fixed order, then either the frontend
// mode (a game named on the command line) or the main window.
#include <windows.h>
#include <commctrl.h>
#include <cstdlib>

#include "app/instance_win.h"
#include "app/main_window_proc_ui_win.h"
#include "app/startup.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/timing_log_win.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_loader.h"
#include "controls/autofire.h"
#include "controls/pad_poller_win.h"
#include "filterwin/filter_window.h"
#include "launch/captured_run.h"
#include "launch/frontend.h"
#include "launch/launch_wiring.h"
#include "launch/play.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "settings/app_state.h"
#include "settings/game_settings.h"
#include "settings/settings.h"
#include "settings/settings_theme_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// How long the ending program waits for its background tasks after abandoning MAME's answers.
constexpr uint32_t kEndWaitMs = 3000;

std::string ExecutableFolder() {
  wchar_t path[560];
  DWORD n = GetModuleFileNameW(nullptr, path, 560);
  std::wstring full(path, n < 560 ? n : 559);
  size_t cut = full.find_last_of(L'\\');
  return Utf16ToUtf8(cut == std::wstring::npos ? full : full.substr(0, cut));
}

// As the C library split the command line for wWinMain; asking the shell to
// split it would load its library, which under Wine slows every start.
std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  for (int i = 1; i < __argc && __wargv; ++i) args.push_back(Utf16ToUtf8(__wargv[i]));
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  TimingMark("entry");
  SetLauncherFolder(ExecutableFolder());
  MigrateEarlierLauncherFiles(LauncherFolder());
  const std::vector<std::string> args = CommandLineArguments();
  const bool restarted = !args.empty() && args.front() == Utf16ToUtf8(kRestartedArgument);
  if (!TakeSingleInstance(SingleInstanceName(LauncherFolder()), restarted ? kRestartWaitMs : 0)) {
    BringFirstInstanceForward();
    return 0;
  }

  AppState& app = App();
  app.settings_path = JoinPath(LauncherFolder(), "korvo-settings.cfg");
  app.first_run = !FileExists(app.settings_path);
  SetSystemPrefersDark(RegistryPrefersDark);
  ResetSettings(app.settings);
  LoadSettings(app.settings, app.settings_path);
  LoadGameSettings(app.game_settings, JoinPath(LauncherFolder(), kGameSettingsFileName));
  LoadPlayStats(app.played, PlayStatsPath());

  InstallLaunchHooks();
  SetFilterWindowHooks(StartFilterWindow, StopFilterWindow);
  // A launcher ended while MAME ran left autofire buttons as NONE in default.cfg.
  RestoreAutofireAtRest();
  CommandLine command_line = ParseCommandLine(args);
  if (command_line.game_named) {
    SetFrontendEndWatch(PadExitComboWatch());
    return RunFrontend(command_line.game, command_line.screen);
  }

  TimingMark("settings loaded");
  ApplyTheme(app.settings.dark_theme != 0);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                              ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  InitUiMetrics(instance);
  if (!RegisterModalDialogClass(instance)) return 1;
  TimingMark("ui initialised");
  if (!RegisterMainWindowClass(instance) || !RegisterOptionsClasses(instance)) return 1;
  HWND main_window = CreateMainWindow(instance, show);
  if (!main_window) return 1;

  MSG msg;
  for (;;) {
    TimingIdle();
    MainWindowIdle();
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    if (PreTranslateMainMessage(msg) || LauncherDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // A task still asking MAME would read what the program's end destroys.
  AbandonCapturedRuns();
  WaitForListTasks(kEndWaitMs);
  return static_cast<int>(msg.wParam);
}
