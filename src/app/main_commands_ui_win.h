// The main window's command dispatch (see the table in the .cpp file).
#pragma once
#include <windows.h>

void DispatchCommand(int id, int code, HWND control);
