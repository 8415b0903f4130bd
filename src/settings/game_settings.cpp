#include "settings/game_settings.h"

// Temporary: the real reader and writer follow.
GameSettings NewGameSettings(int32_t game) { GameSettings g; g.game = game; return g; }
bool HasOverrides(const GameSettings& record) { return false; }
const GameSettings* FindGameSettings(const GameSettingsList& list, int32_t game) { return nullptr; }
GameSettings& GetOrCreateGameSettings(GameSettingsList& list, int32_t game) { list.push_back(NewGameSettings(game)); return list.back(); }
void RemoveGameSettings(GameSettingsList& list, int32_t game) {}
bool StoreGameSettings(GameSettingsList& list, const GameSettings& edited) { return false; }
void ParseGameSettingsText(GameSettingsList& list, std::string_view text) { list.clear(); }
TextBuffer FormatGameSettingsText(const GameSettingsList& list) { return {}; }
void LoadGameSettings(GameSettingsList& list, const std::string& path) { list.clear(); }
bool SaveGameSettings(const GameSettingsList& list, const std::string& path) { return true; }
GameSettings GameSettingsFromChoices(int32_t game, const GameSettingsChoices& choices, const GameDisplayModes& modes) { return NewGameSettings(game); }
GameSettingsChoices ChoicesFromGameSettings(const GameSettings& record, const GameDisplayModes& modes) { return {}; }
const char* GameSettingsStatusText(bool has_overrides) { return ""; }
