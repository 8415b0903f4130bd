// Help tooltips with a title line above the text, as the Controls tab shows them.
#pragma once
#include <windows.h>

#include <string>

// A tooltip for `control` with `title` in bold above `text`. Each titled tip
// has its own tooltip window because the title belongs to the window.
void AddTitledTooltip(HWND control, const std::string& title, const std::string& text);
