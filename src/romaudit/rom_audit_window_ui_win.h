// The Check All ROM Sets window: the audit's progress, a Cancel that keeps
// what was judged, and the results as a sortable list with a copyable report.
#pragma once
#include <windows.h>

#include "catalogue/game_table.h"

// Runs modally until closed; korvo-audit.cfg holds the results afterwards.
void OpenRomAuditWindow(HWND owner, const GameList& games);
