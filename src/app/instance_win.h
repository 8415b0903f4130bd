// Single instance per launcher folder (a named mutex) and bringing the first
// launcher forward.
#pragma once
#include <string>

// True when this process is the first holder of the name; the mutex is kept
// for the life of the process. With `wait_ms`, a name still held is tried
// again until then (a launcher restarting itself waits for the old one).
bool TakeSingleInstance(const std::string& name, unsigned wait_ms = 0);

// Restores and raises the running launcher's "KorvoMain" window, if any.
void BringFirstInstanceForward();
