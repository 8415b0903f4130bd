// Couch mode in the launcher's windows: one polling timer on the main window
// reads the pads (about 60 times a second while a launcher window is in
// front, 10 while only the exit combination is watched, never when neither
// setting is on). What a press does depends on where the focus is
// (PadStepFor); it reaches the windows as the key it stands for, so every
// window's own keyboard rules do the rest, except where a key would need
// Ctrl or Shift held (moving between controls, switching tabs, the main
// window's commands): those are done as the keys would do them.
#pragma once

// Starts, re-times or stops the timer for what is watched now (activation
// changes, the housekeeping timer).
void UpdatePadPolling();
// Stops it and lets go of the pads (the main window goes).
void StopPadPolling();
