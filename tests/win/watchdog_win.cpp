// A test that waits for good (a modal box nobody closes, a message to a thread that waits in turn) would stop the
// whole run without a word: the watchdog ends the run instead, naming the test and the windows on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::atomic<ULONGLONG> g_started{0};  // when the running test began; 0 between tests
std::string g_running;                // its name, read only by the watchdog after a timeout

ULONGLONG LimitMs() {
  const char* text = std::getenv("KORVO_TEST_LIMIT_S");
  const long seconds = text ? std::atol(text) : 0;
  return (seconds > 0 ? seconds : 240) * 1000ull;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  wchar_t title[200] = L"", type[100] = L"";
  GetWindowTextW(window, title, 200);
  GetClassNameW(window, type, 100);
  std::fprintf(stderr, "  window \"%ls\" (%ls)%s\n", title, type, IsWindowEnabled(window) ? "" : ", disabled");
  return TRUE;
}

class Watchdog : public testing::EmptyTestEventListener {
 public:
  Watchdog() {
    std::thread([] {
      const ULONGLONG limit = LimitMs();
      for (;; Sleep(1000)) {
        const ULONGLONG started = g_started.load();
        if (started == 0 || GetTickCount64() - started < limit) continue;
        std::fprintf(stderr, "[ WATCHDOG ] %s still running after %llu s; the windows on screen:\n",
                     g_running.c_str(), limit / 1000);
        EnumWindows(PrintWindow, 0);
        std::fflush(stderr);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
      }
    }).detach();
  }
  void OnTestStart(const testing::TestInfo& test) override {
    g_running = std::string(test.test_suite_name()) + "." + test.name();
    g_started.store(GetTickCount64());
  }
  void OnTestEnd(const testing::TestInfo&) override { g_started.store(0); }
};

const bool g_installed = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace
