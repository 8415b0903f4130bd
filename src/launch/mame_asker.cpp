#include "launch/mame_asker.h"

#include "launch/captured_run.h"
#include "launch/mame_location.h"

MameAsker LocatedMameAsker() {
  MameAsker asker;
  asker.found = LocateMameProgram(asker.program);
  asker.run = RunMameCaptured;
  return asker;
}
