// The located mame.exe, its folder and the captured run, bundled for the
// worker threads (the listing loader, the Check ROM Set task): they are
// located here, on the main thread, so the workers never read the settings.
#pragma once
#include "catalogue/listing.h"

struct Settings;

MameAsker LocatedMameAsker(const Settings& settings);
MameAsker LocatedMameAsker();  // the process-wide settings
