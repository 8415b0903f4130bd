// The Controls page: MAME's input options, the light gun, the controller
// file, and the key and button mapping of the controls module.
#include <memory>

#include "controls/controls_tab_ui_win.h"
#include "controls/help_tips_ui_win.h"
#include "launch/mame_args.h"
#include "optionsarea/options_fields_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "settings/app_state.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr size_t kControllerFilesMax = 64;

// The entries the Controller File list shows now (None first).
std::vector<std::string>& ControllerLabels() {
  static std::vector<std::string> labels;
  return labels;
}

void ListControllerFilesInto(HWND combo, const Settings& s, const std::string& saved) {
  int at = 0;
  ControllerLabels() = ControllerFileChoices(ListControllerFiles(s, kControllerFilesMax), saved, &at);
  FillCombo(combo, ControllerLabels(), at);
}

void BindControllerFile(HWND combo) {
  AddPageField({combo, [combo](const Settings& s) { ListControllerFilesInto(combo, s, s.controller_file); },
                [combo](Settings& s) {
                  s.controller_file = ControllerFileOf(ControllerLabels(), ComboSelection(combo), s.controller_file);
                }});
}

void PlacePadChecks(PageLayout& p) {
  HWND navigate = p.Check(kPadNavigationId, "Navigate The Launcher With A Pad");
  BindCheck(navigate, &Settings::pad_navigation);
  AddTitledTooltip(navigate, "Navigate The Launcher With A Pad",
                   "While a launcher window is in front, any pad or arcade stick drives it: the D-pad or the left "
                   "stick moves the selection (held, faster and faster), LB / RB a page, left / right to the "
                   "previous / next letter of the game list; A is Enter (plays the game), B is Esc, Y toggles the "
                   "favorite, X searches, Start opens the settings, Back shows the favorites only. Help > Keyboard "
                   "Shortcuts lists them all.");
  HWND exit_combo = p.Check(kPadExitComboId, "Back + Start Held Ends The Game");
  BindCheck(exit_combo, &Settings::pad_exit_combo);
  AddTitledTooltip(exit_combo, "Back + Start Held Ends The Game",
                   "Hold Back and Start together for a second, on any pad, to end the game the launcher started, as "
                   "Game > Stop does: MAME is asked to close, and is ended after 8 seconds if it does not. Also for "
                   "a game started with --game.");
}

void PlaceMappingGroup(PageLayout& p) {
  ControlsMappingWindows& w = CreateControlsMappingGroup(p.page());
  p.BeginGroup("Key And Button Mapping");
  p.LabelledRow(w.profile_label, {{w.profile, 0, 300}});
  p.ButtonRow({{w.save, 64, 0}, {w.save_as, 78, 0}, {w.rename, 78, 0}, {w.remove, 64, 0}}, true);
  p.TextRow(w.help);
  p.TallRow(w.list, 330);
  p.ButtonRow({{w.set_key, 80, 0}, {w.set_pad, 80, 0}, {w.clear, 70, 0}, {w.defaults, 80, 0}}, false);
  p.ButtonRow({{w.open_cfg, 170, 0}}, false);
  p.EndGroup();
}
}  // namespace

int BuildControlsPage(HWND page) {
  PageLayout& p = NewPageLayout(page);
  BindCheck(p.Check(kJoystickId, "Enable Joysticks"), &Settings::joystick);
  BindChoice(p.Choice(kJoystickProviderId, "Controller Provider"), JoystickProviderChoices,
             &Settings::joystick_provider);
  AddNumberField(p, kDeadzoneId, "Joystick Dead Zone %", 0, 100, &Settings::joystick_deadzone);
  AddNumberField(p, kSaturationId, "Joystick Saturation %", 0, 100, &Settings::joystick_saturation);
  BindCheck(p.Check(kContradictoryId, "Allow Contradictory Directions"), &Settings::joystick_contradictory);
  BindCheck(p.Check(kMouseId, "Enable Mouse"), &Settings::mouse);

  p.BeginGroup("Light Gun");
  BindCheck(p.Check(kLightgunId, "Enable Light Gun"), &Settings::lightgun);
  BindMameChoice(p.Choice(kLightgunDeviceId, "Device", 160), LightgunDeviceChoices, "lightgun_device");
  BindMameChoice(p.Choice(kLightgunProviderId, "Provider", 160), LightgunProviderChoices, "lightgunprovider");
  p.EndGroup();

  BindControllerFile(p.Choice(kControllerFileId, "Controller File"));
  HWND overrides = p.Check(kMappingOverridesId, "Mapping Overrides MAME's Game Settings");
  BindCheck(overrides, &Settings::mapping_overrides_game_cfg);
  AddTitledTooltip(overrides, "Mapping Overrides MAME's Game Settings",
                   "MAME saves keys and buttons you changed inside a game (Tab menu) in cfg\\<game>.cfg, and those "
                   "win over cfg\\default.cfg, where this tab writes. With this on, the actions of the list below "
                   "are removed from the game's file before each start (a copy stays as <game>.cfg.korvo-backup), "
                   "so this mapping always applies.");
  HWND autofire = p.Choice(kAutofireSpeedId, "Autofire Speed", 160);
  BindChoice(autofire, AutofireSpeedChoices, &Settings::autofire_rate);
  AddTitledTooltip(autofire, "Autofire Speed",
                   "How often an autofire button (the Autofire column of the mapping list) is pressed while you "
                   "hold it: 10, 15, 20 or 30 presses per second.");
  PlacePadChecks(p);
  PlaceMappingGroup(p);
  return p.Place(S(500), 0);
}

void RefreshControllerFiles(const std::string& mame_program) {
  HWND combo = PageControl(kControllerFileId);
  if (!combo) return;
  Settings probe = App().settings;
  probe.mame_exe = mame_program;
  // Keep the entry chosen now, even when the other MAME has no such file.
  std::string chosen = ControllerFileOf(ControllerLabels(), ComboSelection(combo), "");
  ListControllerFilesInto(combo, probe, chosen);
}
