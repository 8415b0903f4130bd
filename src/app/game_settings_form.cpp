#include "app/game_settings_form.h"

const char* const kGameSettingsTabNames[kGameTabCount] = {"General", "Video", "Audio", "Other"};

namespace {
using C = GameSettingsChoices;
using L = GameChoiceList;
constexpr GameChoiceRow kRows[] = {
    {kGameTabGeneral, "Video Mode", L::Video, &C::video},
    {kGameTabGeneral, "Window", L::Window, &C::window},
    {kGameTabGeneral, "Resolution", L::Resolution, &C::resolution},
    {kGameTabGeneral, "Rotation", L::Rotation, &C::rotation},
    {kGameTabVideo, "Keep Aspect Ratio", L::OnOff, &C::keep_aspect},
    {kGameTabVideo, "Bilinear Filter", L::OnOff, &C::filter},
    {kGameTabVideo, "Wait For V-Sync", L::OnOff, &C::wait_vsync},
    {kGameTabVideo, "BGFX Screen Effect", L::BgfxChain, &C::bgfx_chain},
    {kGameTabAudio, "Sound", L::OnOff, &C::sound},
    {kGameTabAudio, "Volume", L::Volume, &C::volume},
    {kGameTabOther, "Cheats", L::OnOff, &C::cheat},
    {kGameTabOther, "Skip Game Info Screen", L::OnOff, &C::skip_gameinfo},
    {kGameTabOther, "Auto Save / Restore State", L::OnOff, &C::autosave},
};
}  // namespace

std::span<const GameChoiceRow> GameChoiceRows() { return kRows; }

BiosOptions BiosOptionsOf(const MachineInfo& machine) {
  BiosOptions options;
  if (!machine.listed) return options;
  for (const BiosSet& set : machine.biossets) options.emplace_back(set.name, set.description);
  return options;
}

GameSettingsForm MakeGameSettingsForm(const GameSettingsList& list, int32_t game, const GameDisplayModes& modes,
                                      const BiosOptions& bios) {
  GameSettingsForm form;
  const GameSettings* own = FindGameSettings(list, game);
  form.shown = own ? *own : NewGameSettings(game);
  form.modes = modes;
  form.bios = bios;
  form.choices = ChoicesFromGameSettings(form.shown, modes);
  form.bios_position = BiosChoicePosition(form.shown.bios, bios);
  return form;
}

GameSettings ReadGameSettingsForm(const GameSettingsForm& form, GameSettingsChoices choices, int bios_position) {
  bool unshowable = BiosChoicePosition(form.shown.bios, form.bios) == 0;
  if (bios_position > 0)
    choices.bios = BiosChoiceName(bios_position, form.bios);
  else
    choices.bios = unshowable ? form.shown.bios : "";
  return GameSettingsFromChoices(form.shown.game, choices, form.modes, &form.shown);
}
