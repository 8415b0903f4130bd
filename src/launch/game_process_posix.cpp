#include "launch/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

// One child, shared by every copy: only one waitpid may reap it, so the reaped
// status is kept here for the others.
struct GameProcessState {
  pid_t pid = -1;
  std::mutex lock;
  bool ended = false;
  uint32_t code = 0;

  bool Poll() {
    std::lock_guard<std::mutex> guard(lock);
    if (ended) return true;
    int status = 0;
    pid_t got = waitpid(pid, &status, WNOHANG);
    if (got == pid) {
      ended = true;
      code = WIFEXITED(status) ? static_cast<uint32_t>(WEXITSTATUS(status)) : 128u + WTERMSIG(status);
    } else if (got < 0 && errno == ECHILD) {
      ended = true;
    }
    return ended;
  }
};

namespace {
std::string Native(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}
}  // namespace

bool StartGameProcess(const GameStart& start, GameProcess& process, uint32_t& error) {
  std::string program = Native(start.program), folder = Native(start.working_folder);
  int output = -1;
  if (!start.output_path.empty())
    output = open(Native(start.output_path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  // The child reports a failed exec through this pipe; a clean exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    error = static_cast<uint32_t>(errno);
    if (output >= 0) close(output);
    return false;
  }
  std::vector<char*> argv;
  argv.push_back(program.data());
  std::vector<std::string> args = start.args;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    int failure = 0;
    if (!folder.empty() && chdir(folder.c_str()) != 0) failure = errno;
    if (!failure && output >= 0) {
      dup2(output, 1);
      dup2(output, 2);
    }
    if (!failure) {
      execv(program.c_str(), argv.data());
      failure = errno;
    }
    ssize_t ignored = write(report[1], &failure, sizeof failure);
    (void)ignored;
    _exit(127);
  }
  close(report[1]);
  if (output >= 0) close(output);  // the child keeps its own
  if (pid < 0) {
    error = static_cast<uint32_t>(errno);
    close(report[0]);
    return false;
  }
  int failure = 0;
  ssize_t got = read(report[0], &failure, sizeof failure);
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof failure)) {
    waitpid(pid, nullptr, 0);
    error = static_cast<uint32_t>(failure);
    return false;
  }
  process.state = std::make_shared<GameProcessState>();
  process.state->pid = pid;
  return true;
}

bool DuplicateGameProcess(const GameProcess& process, GameProcess& copy) {
  if (!process) return false;
  copy.state = process.state;
  return true;
}

uint32_t GameProcessId(const GameProcess& process) {
  return process ? static_cast<uint32_t>(process.state->pid) : 0;
}

bool WaitGameProcess(const GameProcess& process, uint32_t ms) {
  if (!process) return true;
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!process.state->Poll()) {
    if (ms != UINT32_MAX && std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool GameProcessExitCode(const GameProcess& process, uint32_t& code) {
  if (!process || !process.state->Poll()) return false;
  std::lock_guard<std::mutex> guard(process.state->lock);
  code = process.state->code;
  return true;
}

void TerminateGameProcess(const GameProcess& process, uint32_t) {
  if (!process || process.state->Poll()) return;
  kill(process.state->pid, SIGKILL);
  WaitGameProcess(process, UINT32_MAX);
}

void StopGameProcess(const GameProcess& process, uint32_t grace_ms) {
  if (!process || process.state->Poll()) return;
  kill(process.state->pid, SIGTERM);  // the closest thing to closing its windows
  if (!WaitGameProcess(process, grace_ms)) TerminateGameProcess(process, 0);
}

void CloseGameProcess(GameProcess& process) { process.state.reset(); }

std::string UserTempFolder() {
  const char* dir = std::getenv("TMPDIR");
  return dir && *dir ? std::string(dir) + "/" : "/tmp/";
}

uint32_t TickMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

void StartWarningSkipThread(uint32_t) {}
void AllowAnyForeground() {}
void StartForegroundThread(uint32_t) {}
