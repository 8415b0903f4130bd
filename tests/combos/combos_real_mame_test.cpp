// The written plugin in the real MAME: it loads, finds its frame callback, presses and lets go of fields, logs no error.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/app_state.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "combos/combos_plugin.h"
#include "support/test_support.h"

namespace {

TEST(CombosPluginInMame, LoadsRunsAndLogsNoError) {
  if (!TestFileExists(kRealMame)) GTEST_SKIP() << "MAME is not installed";
  TempDir dir;
  // A launcher folder whose name would break a naive Lua string.
  std::string folder = dir.File("korvo \xC3\xB6 ]=] it's");
  ASSERT_TRUE(CreateFolder(folder));
  SetLauncherFolder(folder);
  ResetCombos(Combos());
  App().settings.logs = 1, Combos().loaded = true;
  // Triggers down from the first frame (no key is held): the combo and the autofire press breakout's inputs.
  Combos().rows[0].seq = "START ~ START", Combos().rows[0].key = "F12 OR NOT KEYCODE_F11";
  std::string plugin_folder;
  ASSERT_TRUE(WriteCombosPlugin(plugin_folder));
  std::replace(plugin_folder.begin(), plugin_folder.end(), '\\', '/');
  // The autofire rows come from the key mapping; add one that always fires.
  std::string init_path = plugin_folder + "/korvo_combos/init.lua", init = ReadTestFile(init_path);
  size_t at = init.find("local AUTOFIRE = {\n");
  ASSERT_NE(at, std::string::npos);
  WriteTestFile(init_path, init.insert(at + 19, "{player=1,bit=4,trig='NOT KEYCODE_F11'},\n"));

  ASSERT_TRUE(RunRealMame(dir.path(), "breakout -plugins -pluginspath " + ShellQuoted("/usr/share/games/mame/plugins;" +
                          plugin_folder) + " -plugin korvo_combos -video none -sound none -seconds_to_run 2"))
      << ReadTestFile(dir.File("mame-output.txt"));
  std::string log = ReadTestFile(folder + "/logs/korvo-combos.log");
  EXPECT_EQ(log.find("plugin started\n"), 0u) << log;
  // P1 Button 1 and both starts are found; the combo plays; nothing fails.
  for (const char* part : {"fields found: 3\n", "combo 1 started", "combo done"})
    EXPECT_NE(log.find(part), std::string::npos) << part << "\n" << log;
  EXPECT_TRUE(log.find("error:") == std::string::npos && log.find("no frame callback") == std::string::npos) << log;
}

}  // namespace
