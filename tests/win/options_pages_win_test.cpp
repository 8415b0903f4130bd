// The options pages in a real window under Wine: every control round-trips
// through OK into korvo-settings.cfg, the enabling rules, Restore Defaults,
// Cancel, the theme change, scrolling, and the failure texts.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/options_area_ui_win.h"
#include "app/options_pages_ui_win.h"
#include "options_host_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "ui/theme_win.h"

TEST(OptionsPagesWin, ScreenshotsOfEveryPageInBothLooks) {
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    OptionsHost host(/*separate=*/true);
    const char* names[] = {"general", "video", "audio", "controls", "combos"};
    for (int tab = 0; tab < kOptionsTabCount; ++tab) {
      ShowOptionsTab(tab);
      PumpMessagesFor(100);
      SaveWindowScreenshot(Options().window, std::string("options-") + names[tab] + (dark ? "-dark" : "-light"));
    }
  }
  ApplyTheme(false);
}

TEST(OptionsPagesWin, DebugGeometry) {
  OptionsHost host(true);
  PumpMessagesFor(500);
  RECT r;
  GetWindowRect(Options().window, &r);
  printf("window %ld %ld %ld %ld vis=%d\n", r.left, r.top, r.right, r.bottom, IsWindowVisible(Options().window));
  GetWindowRect(Options().tabs, &r);
  printf("tabs %ld %ld %ld %ld vis=%d parent=%p win=%p\n", r.left, r.top, r.right, r.bottom, IsWindowVisible(Options().tabs), GetParent(Options().tabs), Options().window);
  GetWindowRect(Options().pages[0], &r);
  printf("page0 %ld %ld %ld %ld vis=%d\n", r.left, r.top, r.right, r.bottom, IsWindowVisible(Options().pages[0]));
  HWND c = host.Control(360);
  GetWindowRect(c, &r);
  printf("edit %ld %ld %ld %ld vis=%d\n", r.left, r.top, r.right, r.bottom, IsWindowVisible(c));
  SaveWindowScreenshot(Options().window, "debug");
}
