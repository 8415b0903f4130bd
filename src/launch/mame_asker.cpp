#include "launch/mame_asker.h"

#include "settings/app_state.h"
#include "launch/captured_run.h"
#include "launch/mame_location.h"

MameAsker LocatedMameAsker(const Settings& settings) {
  MameAsker asker;
  asker.found = LocateMameProgram(settings, asker.program);
  asker.folder = MameFolder(settings);
  asker.run = RunProgramCaptured;
  return asker;
}

MameAsker LocatedMameAsker() { return LocatedMameAsker(App().settings); }
