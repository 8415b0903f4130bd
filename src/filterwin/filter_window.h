// The filter window: an overlay over MAME's monitor that shows MAME's picture
// scaled and filtered, on a thread of its own for as long as MAME's window
// lives. Only the starting thread calls these.
#pragma once
#include <cstdint>

// Stops a running overlay, then starts one for MAME's process with the
// filter settings of App().settings as they are now.
void StartFilterWindow(uint32_t process_id);
// Asks the overlay to end and waits for it at most kFilterStopWaitMs; a
// thread that does not end by then is left to finish on its own.
void StopFilterWindow();
constexpr uint32_t kFilterStopWaitMs = 3000;
