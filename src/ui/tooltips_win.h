// Tooltips for controls.
#pragma once
#include <windows.h>

#include <string>

HWND CreateTooltips(HWND parent);
void AddTooltip(HWND tips, HWND control, const std::string& utf8_text);
