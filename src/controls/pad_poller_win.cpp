#include "controls/pad_poller_win.h"

#include <windows.h>

#include <memory>

std::vector<PadAction> PollPads(PadPoller& poller, const PadNavigationMode& mode) {
  if (!poller.opened) {
    if (!PadDevicesReady()) return {};
    poller.source = CurrentPadSource();
    poller.xinput = poller.source.open && poller.source.open();
    poller.opened = true;
    poller.memory = PadNavigationMemory{};
  }
  PadReadings readings;
  if (poller.source.read) poller.source.read(readings);
  readings.xinput = poller.xinput;
  return DecidePadNavigation(poller.memory, readings, GetTickCount(), mode);
}

void ClosePadPoller(PadPoller& poller) {
  if (poller.opened && poller.source.close) poller.source.close();
  poller = PadPoller{};
}

std::function<bool()> PadExitComboWatch() {
  auto poller = std::shared_ptr<PadPoller>(new PadPoller, [](PadPoller* p) {
    ClosePadPoller(*p);
    delete p;
  });
  return [poller] {
    for (PadAction action : PollPads(*poller, {false, true}))
      if (action == PadAction::kEndGame) return true;
    return false;
  };
}
