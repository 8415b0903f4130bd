// Reads the pads for couch mode: the pad source (the system's devices, or a
// test's readings) opened on first use, and the decisions of
// pad_navigation.h over its readings.
#pragma once
#include <functional>
#include <vector>

#include "controls/pad_navigation.h"
#include "controls/pad_source_win.h"

struct PadPoller {
  PadSource source;
  bool opened = false, xinput = false;
  PadNavigationMemory memory;
};

// One tick: reads every pad and joystick and decides.
std::vector<PadAction> PollPads(PadPoller& poller, const PadNavigationMode& mode);
// Releases the devices; a next tick opens them again and takes a new baseline.
void ClosePadPoller(PadPoller& poller);

// For a game that runs without the launcher's window (`--game`): each call
// reads the pads once; true once Back + Start have been held for a second.
std::function<bool()> PadExitComboWatch();
