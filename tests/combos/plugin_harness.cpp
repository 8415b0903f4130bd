#include "plugin_harness.h"

#include <cstdio>
#include <sstream>

#include "support/test_support.h"

HarnessRun RunPluginInSimulator(const std::string& init_lua, const std::string& scenario) {
  TempDir dir;
  WriteTestFile(dir.File("init.lua"), init_lua);
  WriteTestFile(dir.File("scenario.txt"), scenario);
  std::string command = "lua5.4 '" + SourcePath("tests/lua/mame_sim.lua") + "' '" + dir.File("init.lua") + "' '" +
                        dir.File("scenario.txt") + "' 2>&1";
  HarnessRun run;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    pclose(pipe);
  }
  std::istringstream lines(run.output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.size() > 1 && line[0] == 'F' && line.find(": ") != std::string::npos) {
      size_t colon = line.find(": ");
      run.frames[std::stoi(line.substr(1, colon - 1))] = line.substr(colon + 2);
    } else if (line.rfind("touch ", 0) == 0) {
      // "touch :IN0 P1 Down 3 1": the id holds spaces, the counts are the last two words.
      size_t last = line.rfind(' '), before = line.rfind(' ', last - 1);
      run.touch[line.substr(6, before - 6)] = line.substr(before + 1);
    }
  }
  return run;
}

std::string MakeInitLua(const CombosState& combos, const std::string& autofire_rows, const std::string& log_path,
                        int autofire_rate) {
  CombosPluginInputs in;
  in.combos = &combos;
  in.autofire_rows = autofire_rows;
  in.log_path = log_path;
  in.autofire_rate = autofire_rate;
  return BuildCombosInitLua(in);
}
