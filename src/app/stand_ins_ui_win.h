// Commands whose windows are not built yet answer with a short box. Each
// later window replaces its line of the dispatch table and its stand-in here.
#pragma once
#include <windows.h>

#include <string>

void WindowNotReady(const std::string& title);
