#include "launch/frontend.h"

// Until the launch path exists every named game is reported as unknown (2).
int RunFrontend(const std::string& game, ScreenRequest) { return game.empty() ? 5 : 2; }
