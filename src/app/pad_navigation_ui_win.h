// Couch mode in the launcher's windows: one polling timer on the main window
// reads the pads (about 60 times a second while a launcher window is in
// front, 10 while only the exit combination is watched, never when neither
// setting is on), and the pad's actions reach the windows as the key presses
// they stand for, so every window's own keyboard rules do the rest.
#pragma once

// Starts, re-times or stops the timer for what is watched now (activation
// changes, the housekeeping timer).
void UpdatePadPolling();
// Stops it and lets go of the pads (the main window goes).
void StopPadPolling();
