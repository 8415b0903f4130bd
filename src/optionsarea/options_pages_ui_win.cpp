#include "optionsarea/options_pages_ui_win.h"

#include <shellapi.h>

#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combos_tab_ui_win.h"
#include "controls/binding_migration.h"
#include "controls/controls_tab_ui_win.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "launch/mame_location.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_fields_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "optionsarea/page_rules.h"
#include "settings/app_state.h"
#include "ui/access_keys_win.h"
#include "ui/shell_win.h"
#include "ui/theme_win.h"

namespace {
constexpr char kMappingNotWritten[] = "Could not write the key mapping (MAME folder: cfg\\default.cfg)";
constexpr char kSettingsNotSaved[] = "Could not save the settings: the launcher folder is not writable";
constexpr UINT kSwitchLayoutMessage = WM_APP + 9;
// The menu bar's keys (File, Game, Options, View, Help) stay free on the
// pages: in Classic Layout they share the main window with it.
constexpr char kMenuBarKeys[] = "FGOVH";

Settings snapshot;
bool snapshot_valid = false;
bool mapping_written = true;

bool RestartWithShell() {
  wchar_t path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return false;
  // The new launcher waits for this one to let go of the single-instance name.
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path, kRestartedArgument, nullptr,
                                                 SW_SHOWNORMAL)) > 32;
}
RestartLauncherFn restart_launcher = RestartWithShell;

// The Combos page lays itself out and draws its pad; every page scrolls.
bool OptionsPageMessage(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (message == WM_DESTROY) ForgetPageFieldsOf(page);  // the page's bound controls go with it
  bool answered = CombosPageMessage(page, message, wparam, lparam, result) ||
                  PageMessage(page, message, wparam, lparam, result);
  // Pages are sized when the area moves between windows, as a layout switch does.
  if (message == WM_SIZE) FollowLayoutSetting();
  return answered;
}

// Each rule's inputs sit on the page of the controls it enables, so a page
// that was not built yet has nothing to enable.
void ApplyEnablingRules() {
  PageRuleInputs in;
  in.video = ComboSelection(PageControl(kVideoModeId));
  in.fullscreen = IsChecked(kFullscreenId);
  in.hlsl = IsChecked(kHlslId);
  in.glsl = IsChecked(kGlslId);
  in.filter_window = IsChecked(kFilterWindowId);
  in.joystick = IsChecked(kJoystickId);
  in.sound = ComboSelection(PageControl(kSoundId));
  const PageEnables e = EvaluatePageRules(in);
  EnablePageControl(kMaximizeId, e.maximize);
  EnablePageControl(kHlslId, e.hlsl);
  EnablePageControl(kHlslSettingsId, e.hlsl_settings);
  EnablePageControl(kGlslId, e.glsl);
  for (int id : {kGlslFilterId, kGlslShaderId}) EnablePageControl(id, e.glsl_options);
  for (int id : {kBgfxChainId, kBgfxBackendId}) EnablePageControl(id, e.bgfx);
  for (int id : {kFilterScalerId, kFxaaId, kDitherId}) EnablePageControl(id, e.filter_options);
  for (int id : {kJoystickProviderId, kContradictoryId, kDeadzoneId, kSaturationId})
    EnablePageControl(id, e.joystick_options);
  for (int id : {kSampleRateId, kVolumeId, kAudioLatencyId}) EnablePageControl(id, e.audio_options);
}

// The pages show the settings again (after apply: clamped numbers, MAME
// values that were not taken); the mapping list and Combos page keep theirs.
void RefreshPageFields() {
  FillPageFields(App().settings);
  ApplyEnablingRules();
}

bool OptionsInSeparateWindow() {
  const OptionsArea& o = Options();
  return o.window && o.tabs && GetParent(o.tabs) == o.window;
}

void HideSeparateWindow() {
  if (!OptionsInSeparateWindow()) return;
  HideOptionsWindow();
  // Kept disabled while the window showed; enabled first, it can take the focus back.
  if (HWND main = Options().main) {
    EnableWindow(main, TRUE);
    SetForegroundWindow(main);
  }
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : separator) + p;
  return out;
}

void BuildPage(HWND page, int tab) {
  int height = 0;
  switch (tab) {
    case kTabGeneral: height = BuildGeneralPage(page); break;
    case kTabVideo: height = BuildVideoPage(page); break;
    case kTabAudio: height = BuildAudioPage(page); break;
    case kTabControls: height = BuildControlsPage(page); break;
    case kTabCombos: height = CreateCombosPage(page); break;  // shows the rows of korvo-combos.cfg
  }
  SetPageContentHeight(page, height);
  GiveAccessKeys(page, kMenuBarKeys);
  FillPageFieldsOf(page, App().settings);
  if (tab == kTabControls) FillControlsMappingGroup();
  ApplyEnablingRules();
  RelayoutPage(page);
}
}  // namespace

void InstallPageBuilder() {
  SetPageMessageHook(OptionsPageMessage);
  SetPageBuilder(BuildPage);
}

void FillPages() {
  AppState& app = App();
  TakeOptionsSnapshot();
  LoadInputMapping();
  if (app.settings.binding_version < kCurrentBindingVersion) {
    std::string program;
    RunBindingVersionStep(LocateMameProgram(program));
  }
  FillPageFields(app.settings);
  FillControlsMappingGroup();
  // The rows as korvo-combos.cfg holds them (also after a restore), whether or
  // not the Combos page was built: applying writes them back.
  CancelCombosPage();
  ApplyEnablingRules();
}

bool ApplyOptions() {
  AppState& app = App();
  const bool separate_before = OptionsInSeparateWindow();
  ReadPageFields(app.settings);  // also `options_window` from Classic Layout
  SaveCombos();

  std::vector<std::string> failures;
  if (TheInputMapping().dirty) BackupDefaultCfg();
  mapping_written = WriteInputMapping();
  if (!mapping_written) failures.push_back(kMappingNotWritten);
  const bool saved = SaveSettings(app.settings, app.settings_path);
  if (!saved) failures.push_back(kSettingsNotSaved);
  if (!failures.empty()) ShowStatus(Joined(failures, "   |   "));

  if (Options().tabs && separate_before != (app.settings.options_window != 0))
    PostMessageW(Options().main, kSwitchLayoutMessage, app.settings.options_window != 0, 0);
  TakeOptionsSnapshot();
  RefreshPageFields();
  RefreshControlsList();
  return saved;
}

void OptionsOk() {
  // Read before the refresh shows the stored mode again; no General page, no choice.
  HWND theme_box = PageControl(kThemeId);
  const int theme = theme_box ? ComboSelection(theme_box) : -1;
  const bool saved = ApplyOptions();
  if (saved && mapping_written) {
    const std::vector<std::string>& rejected = RejectedMameFields();
    ShowStatus(rejected.empty() ? "Settings saved"
                                : "Settings saved; not valid for MAME, so not taken: " + Joined(rejected, ", "));
  }
  HideSeparateWindow();
  if (theme >= 0 && theme <= 2 && theme != App().settings.theme_mode) ChangeThemeMode(theme);
}

void DropUnappliedOptions() {
  if (snapshot_valid) CopyOptionsUnit(App().settings, snapshot);
}

void CancelOptions() {
  DropUnappliedOptions();
  FillPages();  // the Combos page too
  HideSeparateWindow();
}

void RestoreDefaults() {
  if (ShowMessage("Restore the Video, Audio and General options (including Skip Game Info / Warning Screen, Auto "
                  "Save, Cheats, Confirm Quit and Extra Arguments) to their defaults (MAME's own defaults)?\n\nKept "
                  "as they are: the MAME program, the ROMs folder, the favorites, the window layout, and the "
                  "Controls and Combos tabs. The defaults are saved right away.",
                  "Default Settings", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  Settings& s = App().settings;
  ReadPageFields(s);  // what the Controls tab shows now is what is kept
  ResetSettings(s, &s);
  RefreshPageFields();
  if (ApplyOptions()) ShowStatus("Default settings restored and saved");
}

void ChangeThemeMode(int mode) {
  Settings& s = App().settings;
  if (mode < 0 || mode > 2 || mode == s.theme_mode) return;
  s.theme_mode = mode;
  if (HWND theme = PageControl(kThemeId)) SendMessageW(theme, CB_SETCURSEL, static_cast<WPARAM>(mode), 0);
  ApplyThemeMode(s);
  SaveSettings(s, App().settings_path);
  if ((s.dark_theme != 0) == IsDarkTheme()) {
    ShowStatus("Theme saved");
    return;
  }
  if (ShowMessage("The theme changes after a restart.\n\nRestart the launcher now?", "Theme",
                  MB_YESNO | MB_ICONQUESTION) != IDYES) {
    ShowStatus("The theme changes at the next start");
    return;
  }
  ApplyOptions();
  if (restart_launcher())
    PostMessageW(Options().main, WM_CLOSE, 0, 0);
  else
    ShowStatus("Could not restart: start the launcher again yourself");
}

void TakeOptionsSnapshot() {
  CopyOptionsUnit(snapshot, App().settings);
  snapshot_valid = true;
}

void SetRestartLauncher(RestartLauncherFn fn) { restart_launcher = fn ? fn : RestartWithShell; }

void OptionsCommand(int id, int code, HWND) {
  if (GeneralPageCommand(id, code)) return;
  const bool rule_input = (id >= kVideoModeId && id <= kDitherId) || id == kSoundId || id == kJoystickId;
  if (rule_input && (code == BN_CLICKED || code == CBN_SELCHANGE)) ApplyEnablingRules();
}

bool OptionsNotify(NMHDR* header, LRESULT* result) {
  // The mapping list's clicks belong to the Controls tab.
  return ControlsTabNotify(header, result);
}

void ToggleFullscreenOption() {
  Settings& s = App().settings;
  const bool on = PageControl(kFullscreenId) ? !IsChecked(kFullscreenId) : !s.fullscreen;
  SetChecked(kFullscreenId, on);
  s.fullscreen = on;
  SaveSettings(s, App().settings_path);
  if (snapshot_valid) snapshot.fullscreen = s.fullscreen;
  ApplyEnablingRules();
  ShowStatus(on ? "Fullscreen is on" : "Fullscreen is off (window)");
}

bool FullscreenChecked() {
  return PageControl(kFullscreenId) ? IsChecked(kFullscreenId) : App().settings.fullscreen != 0;
}

std::string RomsFolderField() {
  HWND field = PageControl(kRomsId);
  return field ? ControlText(field) : App().settings.roms_directory;
}

std::string BiosFolderField() {
  HWND field = PageControl(kBiosId);
  return field ? ControlText(field) : App().settings.bios_directory;
}

void ShowOnlyAvailable(bool on) { SetChecked(kOnlyAvailableId, on); }

void PagesIntoMoreOptions() { ReadPageFields(App().settings, /*only_mame_options=*/true); }

void RefreshMameOptionFields() { FillPageFields(App().settings, /*only_mame_options=*/true); }
