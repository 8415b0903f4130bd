// Single instance per launcher folder (a named mutex) and bringing the first
// launcher forward.
#pragma once
#include <string>

// True when this process is the first holder of the name; the mutex is kept
// for the life of the process.
bool TakeSingleInstance(const std::string& name);
// Restores and raises the running launcher's "KorvoMain" window, if any.
void BringFirstInstanceForward();
