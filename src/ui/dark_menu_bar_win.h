// The dark menu bar of the main window.
#pragma once
#include <windows.h>

// The main window procedure offers every message here first. Returns true with
// *result when the message was answered (the caller returns *result at once);
// false in the light look and for every message it leaves to the caller.
// It paints the bar through the platform's private menu-bar messages where
// they exist and through owner-drawn bar items where they do not, and fixes the
// line below the bar after the default non-client painting and activation.
bool DarkMenuBarMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// Makes the bar items of a window being created (WM_NCCREATE) owner-drawn
// (dark look only), as the first paint does where the platform sends no private
// messages: made before the frame is first laid out, they cost neither a
// second layout nor a paint drawing the whole frame twice.
void MakeMenuBarOwnerDrawn(HWND window);
