// The few operating-system services the fake MAME needs, with a Windows and a
// POSIX twin so the same answers come from mame.exe under Wine and natively.
#pragma once
#include <string>
#include <vector>

namespace fakemame {

struct Invocation {
  std::string command_line;        // as the process received it
  std::vector<std::string> args;   // without the program itself
  std::string folder;              // working folder
  std::string exe_folder;          // folder of the fake itself
  std::string std_in, std_out, std_err;  // "file", "pipe", "console", "none"
};

Invocation ReadInvocation(int argc, char** argv);
bool ReadFileBytes(const std::string& path, std::string& out);
bool AppendFileBytes(const std::string& path, const std::string& bytes);
bool PathIsFile(const std::string& path);
bool PathIsFolder(const std::string& path);
void WriteStream(int stream, const std::string& bytes);  // 1 stdout, 2 stderr
void SleepMs(long ms);
// Runs until stopped. Asked to close (SIGTERM here; a Windows MAME hears it
// through its windows), it appends "closed=1" to `close_note` and leaves, as
// MAME saves its settings on the way out; killed, it notes nothing.
[[noreturn]] void HangUntilStopped(const std::string& close_note);
// Shows a window with a known picture until it is closed (Windows only),
// appending "key=<scan code>" to `key_note` for each key pressed in it.
void ShowPictureWindow(int width, int height, const std::string& key_note);
std::string GetEnv(const char* name);
char PathSeparator();

}  // namespace fakemame
