// The overlay thread's work: find MAME's window, set up Direct3D 11 over its
// monitor and copy, scale and present MAME's picture every frame.
#pragma once
#include <windows.h>

#include <atomic>

#include "filterwin/filter_params.h"

// What the starting thread and the overlay thread share for one run. Each run
// has its own, so a thread that was given up on keeps its own stop request.
struct OverlayRun {
  DWORD process_id = 0;
  FilterChoice choice;
  std::atomic<bool> stop{false};
  HANDLE stop_event = nullptr;  // set with `stop`, so waits end at once
};

// Runs the overlay to its end; every failure ends it quietly.
void RunOverlay(OverlayRun& run);
