// The located mame.exe and the captured run, bundled for the catalogue's
// listing loader (which sits below this module and cannot call them itself).
#pragma once
#include "catalogue/listing.h"

MameAsker LocatedMameAsker();
