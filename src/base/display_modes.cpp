#include "base/display_modes.h"

#include <algorithm>

DisplayModes CollectDisplayModes(const std::vector<DisplayMode>& reported) {
  DisplayModes modes;
  modes.reserve(32);
  for (const DisplayMode& m : reported) {
    if (m.width < 640 || m.height < 480 || m.bits < 16) continue;
    std::pair<int, int> wh{m.width, m.height};
    if (std::find(modes.begin(), modes.end(), wh) == modes.end()) modes.push_back(wh);
  }
  if (modes.empty())
    modes = {{640, 480},  {800, 600},  {1024, 768}, {1152, 864}, {1280, 720},  {1280, 960},
             {1280, 1024}, {1366, 768}, {1600, 900}, {1600, 1200}, {1920, 1080}};
  std::sort(modes.begin(), modes.end());
  return modes;
}
