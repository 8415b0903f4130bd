#include "launch/mame_args.h"

void BuildMameArgs(const Settings&, const GameSettingsList&, const GameList&, int32_t, const LaunchRequest*,
                   ArgList&) {}
void BuildProbeArgs(const Settings&, const std::string&, ArgList&) {}
void ParseArgText(const std::string&, ArgList&) {}
std::string QuoteArg(const std::string& text) { return text; }
std::string JoinArgs(const ArgList&) { return {}; }
std::string MameCommandLine(const std::string& program, const ArgList&) { return program; }
std::vector<std::string> ListControllerFiles(const Settings&, size_t) { return {}; }
const char* VideoName(int32_t) { return nullptr; }
const char* BgfxChainName(int32_t) { return nullptr; }
const char* BgfxBackendName(int32_t) { return nullptr; }
const char* SoundName(int32_t) { return nullptr; }
const char* JoystickProviderName(int32_t) { return nullptr; }
