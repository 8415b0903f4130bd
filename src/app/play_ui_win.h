// Playing from the main window: the checks and boxes before a start, the
// start, the end of MAME as the window shows it, Stop, the desktop shortcut.
#pragma once
#include <cstdint>

#include "launch/mame_args.h"

void PlaySelected(const LaunchRequest* request);
void PlayGameNumber(int32_t number, const LaunchRequest* request);
void StopRunningGame();
// kMsgMameEnded; waits while a box or dialog is open.
void OnMameEnded();
void CreateDesktopIconForSelection();
