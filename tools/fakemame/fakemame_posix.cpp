// POSIX side of the fake MAME: lets the tests run it natively.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "fakemame_os.h"

namespace fakemame {
namespace {

std::string Kind(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return "none";
  if (S_ISREG(st.st_mode)) return "file";
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return "pipe";
  if (S_ISCHR(st.st_mode)) return "console";
  return "none";
}

// Quotes an argument the way a Windows command line would carry it.
std::string Quote(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  return "\"" + arg + "\"";
}

}  // namespace

Invocation ReadInvocation(int argc, char** argv) {
  Invocation call;
  call.command_line = Quote(argv[0]);
  for (int i = 1; i < argc; ++i) {
    call.args.emplace_back(argv[i]);
    call.command_line += " " + Quote(argv[i]);
  }
  char buf[4096];
  if (getcwd(buf, sizeof buf)) call.folder = buf;
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : argv[0];
  call.exe_folder = exe.substr(0, exe.find_last_of('/'));
  call.std_in = Kind(0);
  call.std_out = Kind(1);
  call.std_err = Kind(2);
  return call;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

bool AppendFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool PathIsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathIsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void WriteStream(int stream, const std::string& bytes) {
  FILE* f = stream == 2 ? stderr : stdout;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fflush(f);
}

void SleepMs(long ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

void ShowPictureWindow(int, int, const std::string&) {}

volatile sig_atomic_t g_asked_to_close = 0;

void HangUntilStopped(const std::string& close_note) {
  sigset_t term, others;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  sigprocmask(SIG_BLOCK, &term, &others);  // a close request between the check and the wait is not lost
  signal(SIGTERM, [](int) { g_asked_to_close = 1; });
  while (!g_asked_to_close) sigsuspend(&others);
  AppendFileBytes(close_note, "closed=1\n");
  std::exit(0);
}

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

char PathSeparator() { return '/'; }

}  // namespace fakemame
