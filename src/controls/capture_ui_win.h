// "Set Keyboard Key" and "Set Pad Button": modal dialogs that wait for the
// user to press the key or pad control an action should use.
#pragma once
#include <windows.h>

#include <string>

// True with a MAME key name (without "KEYCODE_"), or with an empty name for
// Delete (no key); false when cancelled.
bool CaptureKey(HWND owner, const std::string& label, std::string& name);
// True with a pad code in MAME's joystick numbering (without "JOYCODE_"), or
// an empty code for "No Pad Button"; false when cancelled. `directions`: the
// action is a direction (D-pad and stick count, buttons do not).
bool CapturePadCode(HWND owner, const std::string& label, bool directions, std::string& code);
// While one of them is open the pad must not drive the launcher: its presses
// (and the keys they stand for) are what the dialog is waiting for.
bool CaptureDialogOpen();
