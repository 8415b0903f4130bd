// Subclassing a window: procedures stacked on its window procedure, the
// latest first, each passing a message on with CallNextSubclass.
//
// The common controls offer the same (SetWindowSubclass), but keep each
// window's chain in a window property and read it back on every message;
// under Wine each read is a round trip to the server, two per message, and
// the game list hears dozens of messages per keystroke. Here the chains live
// in a table of the window's own thread.
#pragma once
#include <windows.h>

using SubclassProcedure = LRESULT (*)(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR data);

// Adds `procedure` on top of the window's chain, or gives it `data` anew if it
// is there with the same id. False, with nothing changed, when called from
// another thread than the window's or when its procedure cannot be replaced.
bool AddSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data);

// Takes `procedure` with `id` off the chain; safe while it runs. A window's
// chain ends by itself after WM_NCDESTROY.
void RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id);

// Whether `procedure` with `id` is on the chain, and its data.
bool FindSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data = nullptr);

// From inside a subclass procedure: the message to the next procedure down
// the chain, at the end to the window procedure it replaced.
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
