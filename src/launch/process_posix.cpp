// POSIX twin of process_win.cpp: the same captured child through fork/exec,
// so the reading loop and its time limit run under test natively.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "launch/mame_args.h"
#include "launch/process.h"

namespace {
struct PosixChild {
  pid_t pid = -1;
  int read_fd = -1;
  bool ended = false;
  int status = 0;
};

std::string Native(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

PosixChild* Child(CaptureProcess& p) { return static_cast<PosixChild*>(p.state); }

bool Reap(PosixChild& c, bool block) {
  if (c.ended) return true;
  int status = 0;
  pid_t r;
  do r = waitpid(c.pid, &status, block ? 0 : WNOHANG);
  while (r < 0 && errno == EINTR);
  if (r == c.pid) {
    c.ended = true;
    c.status = status;
  }
  return c.ended;
}
}  // namespace

CaptureStart StartCaptureProcess(CaptureProcess& process, const std::string& program, const std::string& arguments,
                                 const std::string& working_folder) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return CaptureStart::kNoPipe;

  ArgList args{Native(program)};
  ParseArgText(arguments, args);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::string folder = Native(working_folder);
  // A pipe that reports whether exec succeeded: it closes on exec, or carries errno.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    close(fds[0]);
    close(fds[1]);
    return CaptureStart::kNoPipe;
  }

  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so a time-out ends whatever it started too
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
      int e = errno;
      (void)!write(report[1], &e, sizeof e);
      _exit(127);
    }
    execv(argv[0], argv.data());
    int e = errno;
    (void)!write(report[1], &e, sizeof e);
    _exit(127);
  }
  if (pid > 0) setpgid(pid, pid);  // also here, so a quick terminate cannot miss the group
  close(fds[1]);
  close(report[1]);
  if (pid < 0) {
    close(fds[0]);
    close(report[0]);
    return CaptureStart::kNotStarted;
  }
  int err = 0;
  ssize_t n;
  do n = read(report[0], &err, sizeof err);
  while (n < 0 && errno == EINTR);
  close(report[0]);
  auto* child = new PosixChild;
  child->pid = pid;
  child->read_fd = fds[0];
  if (n > 0) {
    Reap(*child, true);
    close(child->read_fd);
    delete child;
    return CaptureStart::kNotStarted;
  }
  process.state = child;
  return CaptureStart::kStarted;
}

int64_t CaptureRead(CaptureProcess& process, char* buffer, size_t size, uint32_t wait_ms) {
  PosixChild* c = Child(process);
  if (!c || c->read_fd < 0) return -1;
  // The pipe gives no sign when the program ends while something it started
  // still holds it, so the wait is cut into pieces of 10 ms at most, after
  // which the caller looks whether it ended. Output wakes the wait at once.
  pollfd p{c->read_fd, POLLIN, 0};
  int ready = poll(&p, 1, static_cast<int>(wait_ms < 10 ? wait_ms : 10));
  if (ready < 0) return errno == EINTR ? 0 : -1;
  if (ready == 0) return 0;
  ssize_t n;
  do n = read(c->read_fd, buffer, size);
  while (n < 0 && errno == EINTR);
  if (n > 0) return n;
  return n == 0 || errno != EAGAIN ? -1 : 0;  // 0: every writer has gone
}

bool CaptureWaitEnded(CaptureProcess& process, uint32_t ms) {
  PosixChild* c = Child(process);
  if (!c) return true;
  uint64_t until = MonotonicMs() + ms;
  for (;;) {
    if (Reap(*c, false)) return true;
    if (MonotonicMs() >= until) return false;
    timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
  }
}

void CaptureTerminate(CaptureProcess& process, uint32_t) {
  PosixChild* c = Child(process);
  if (!c) return;
  if (!c->ended) kill(-c->pid, SIGKILL);
  kill(c->pid, SIGKILL);
  Reap(*c, true);
}

bool CaptureExitCode(CaptureProcess& process, uint32_t& code) {
  PosixChild* c = Child(process);
  if (!c || !Reap(*c, false)) return false;
  code = WIFEXITED(c->status) ? static_cast<uint32_t>(WEXITSTATUS(c->status)) : 1u;
  return true;
}

void CloseCaptureProcess(CaptureProcess& process) {
  PosixChild* c = Child(process);
  if (!c) return;
  if (c->read_fd >= 0) close(c->read_fd);
  // Never leave a zombie: the caller has ended or terminated it by now.
  if (!c->ended) {
    kill(c->pid, SIGKILL);
    Reap(*c, true);
  }
  delete c;
  process.state = nullptr;
}

uint64_t MonotonicMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000u + static_cast<uint64_t>(t.tv_nsec) / 1000000u;
}
