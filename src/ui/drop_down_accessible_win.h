// What a screen reader finds in a drop-down list field: a combo box with its
// name, the chosen entry as its value, whether its list is open, and a
// default action that opens or closes the list.
#pragma once
#include <windows.h>

#include <string>

// Answers the field's WM_GETOBJECT for its client area; false for other objects.
bool DropDownGetObject(HWND drop_down, const std::string& name, WPARAM wparam, LPARAM lparam, LRESULT* result);
