// The pages' controls come with the options pages; until then the pages are
// empty and applying writes what the settings already hold.
#include "app/options_pages_ui_win.h"

#include "app/options_area_ui_win.h"
#include "combos/combo_rows.h"
#include "combos/combos_tab_ui_win.h"
#include "controls/mapping_files.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"

namespace {
Settings snapshot;
bool snapshot_valid = false;
}  // namespace

int CreatePageControls(HWND page, int tab) {
  if (tab != kTabCombos) return 0;
  SetPageMessageHook(CombosPageMessage);
  return CreateCombosPage(page);
}

void FillPages() {}

bool ApplyOptions() {
  AppState& app = App();
  bool layout_was_separate = IsWindow(Options().window) && GetParent(Options().tabs) == Options().window;
  SaveCombos();
  if (!WriteInputMapping()) ShowStatus("Could not write the key mapping (MAME folder: cfg\\default.cfg)");
  bool saved = SaveSettings(app.settings, app.settings_path);
  if (!saved) ShowStatus("Could not save the settings: the launcher folder is not writable");
  if (layout_was_separate != (app.settings.options_window != 0))
    PostMessageW(Options().main, WM_APP + 9, app.settings.options_window != 0, 0);
  CopyOptionsUnit(snapshot, app.settings);
  snapshot_valid = true;
  return saved;
}

void DropUnappliedOptions() {
  if (snapshot_valid) CopyOptionsUnit(App().settings, snapshot);
}

void CancelOptions() {
  DropUnappliedOptions();
  CancelCombosPage();
  FillPages();
  HideOptionsWindow();
}

void RestoreDefaults() {}

void ChangeThemeMode(int mode) {
  Settings& s = App().settings;
  if (mode == s.theme_mode) return;
  s.theme_mode = mode;
  ApplyThemeMode(s);
  SaveSettings(s, App().settings_path);
  ShowStatus("The theme changes at the next start");
}

void OptionsCommand(int, int, HWND) {}

bool OptionsNotify(NMHDR*, LRESULT*) { return false; }

void ToggleFullscreenOption() {
  Settings& s = App().settings;
  s.fullscreen = !s.fullscreen;
  SaveSettings(s, App().settings_path);
  if (snapshot_valid) snapshot.fullscreen = s.fullscreen;
  ShowStatus(s.fullscreen ? "Fullscreen is on" : "Fullscreen is off (window)");
}

bool FullscreenChecked() { return App().settings.fullscreen != 0; }

std::string RomsFolderField() { return App().settings.roms_directory; }
std::string BiosFolderField() { return App().settings.bios_directory; }
void ShowOnlyAvailable(bool) {}

void OptionsOk() {
  if (ApplyOptions()) ShowStatus("Settings saved");
  if (IsWindow(Options().window) && GetParent(Options().tabs) == Options().window) {
    HideOptionsWindow();
    SetForegroundWindow(Options().main);
  }
}

void PagesIntoMoreOptions() {}
void RefreshMameOptionFields() {}
void TakeOptionsSnapshot() {
  CopyOptionsUnit(snapshot, App().settings);
  snapshot_valid = true;
}
