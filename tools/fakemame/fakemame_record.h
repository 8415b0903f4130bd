// Reads back "fakemame-calls.txt", the log the fake MAME keeps beside itself,
// so tests can check how the launcher started it.
#pragma once
#include <string>
#include <vector>

namespace fakemame {

struct RecordedCall {
  std::string command_line;
  std::vector<std::string> args;
  std::string folder;
  std::string std_in, std_out, std_err;  // "file", "pipe", "console", "none"
};

inline std::vector<RecordedCall> ParseCalls(const std::string& text) {
  std::vector<RecordedCall> calls;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? text.size() : end + 1;
    if (line == "[call]") {
      calls.emplace_back();
      continue;
    }
    size_t eq = line.find('=');
    if (calls.empty() || eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    RecordedCall& c = calls.back();
    if (key == "command-line") c.command_line = value;
    else if (key == "arg") c.args.push_back(value);
    else if (key == "folder") c.folder = value;
    else if (key == "stdin") c.std_in = value;
    else if (key == "stdout") c.std_out = value;
    else if (key == "stderr") c.std_err = value;
  }
  return calls;
}

}  // namespace fakemame
