#include "settings/game_settings_texts.h"

#include "base/text_util.h"

std::vector<std::string> GameChoiceItems(GameChoiceList list, const GameDisplayModes& modes) {
  std::vector<std::string> items = {"Same As Global"};
  auto add = [&items](std::initializer_list<const char*> texts) { items.insert(items.end(), texts.begin(), texts.end()); };
  switch (list) {
    case GameChoiceList::Video: add({"Auto (MAME's Choice)", "BGFX", "Direct3D", "OpenGL", "GDI (software)"}); break;
    case GameChoiceList::Window: add({"Window", "Fullscreen"}); break;
    case GameChoiceList::Resolution:
      for (const auto& [w, h] : modes) items.push_back(std::to_string(w) + " x " + std::to_string(h));
      break;
    case GameChoiceList::Rotation:
      add({"Game Default", "None", "Rotate Right (90\u00b0)", "Rotate Left (90\u00b0)", "180\u00b0"});
      break;
    case GameChoiceList::OnOff: add({"On", "Off"}); break;
    case GameChoiceList::BgfxChain:
      add({"Default", "Unfiltered", "HLSL (CRT simulation)", "CRT Geometry", "CRT Geometry Deluxe", "LCD Grid"});
      break;
    case GameChoiceList::Volume:
      items.push_back("Full (0 dB)");
      for (int db = 4; db <= 32; db += 4) items.push_back("Quieter (-" + std::to_string(db) + " dB)");
      break;
  }
  return items;
}

std::vector<std::string> BiosChoiceItems(const BiosOptions& options) {
  std::vector<std::string> items = {"Game Default"};
  for (size_t i = 0; i < options.size() && i < kBiosChoicesMax; ++i)
    items.push_back(options[i].first + ": " + options[i].second);
  return items;
}

std::string BiosChoiceName(int position, const BiosOptions& options) {
  if (position < 1 || static_cast<size_t>(position) > options.size() || static_cast<size_t>(position) > kBiosChoicesMax)
    return {};
  return options[position - 1].first;
}

int BiosChoicePosition(std::string_view bios, const BiosOptions& options) {
  for (size_t i = 0; i < options.size() && i < kBiosChoicesMax && !bios.empty(); ++i)
    if (EqualsNoCase(options[i].first, bios)) return static_cast<int>(i) + 1;
  return 0;
}

std::string GameSettingsHeading(std::string_view title) {
  return std::string(title) + "\n\"Same As Global\" follows the main settings.";
}
