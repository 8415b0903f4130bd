// Frontend mode: `korvo.exe --game <set>` plays one game without the main
// window and returns a small exit code for the calling front-end.
#pragma once
#include <string>

#include "app/startup.h"

int RunFrontend(const std::string& game, ScreenRequest screen);
