// Where the Set Pad Button dialog gets its readings: XInput (loaded at run
// time, so the launcher starts without it) and the legacy joystick
// interface, or a stand-in that a test installs.
#pragma once
#include <functional>

#include "controls/capture.h"

struct PadSource {
  std::function<bool()> open;               // loads XInput; true when XInputGetState is there
  std::function<void(PadReadings&)> read;   // pads (when open) and joysticks 0-15
  std::function<void()> close;              // done with the readings
};

// The system's devices, read on a thread of their own: `read` copies the
// latest readings and never waits for a device.
PadSource SystemPadSource();
// How many readings the system's reading thread has taken so far.
unsigned long SystemPadReadingsTaken();
// Whether the system's pads have been read once. Loading XInput and the
// joystick driver takes more than a frame under Wine; the first call starts
// the reading thread, and polls wait for it rather than hold up the window.
bool PadDevicesReady();
// Tests put their readings in through this; an empty source (no `read`)
// goes back to the system's devices.
void SetPadSource(PadSource source);
PadSource CurrentPadSource();
