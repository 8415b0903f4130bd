#include "filterwin/filter_window.h"

#include <memory>

#include "filterwin/filter_overlay_win.h"
#include "settings/app_state.h"

namespace {
struct RunningOverlay {
  std::shared_ptr<OverlayRun> run;
  HANDLE thread = nullptr;
};
RunningOverlay g_overlay;

DWORD WINAPI OverlayThread(void* param) {
  std::unique_ptr<std::shared_ptr<OverlayRun>> run(static_cast<std::shared_ptr<OverlayRun>*>(param));
  RunOverlay(**run);
  return 0;
}

void CloseRun(OverlayRun* run) {
  if (run->stop_event) CloseHandle(run->stop_event);
  delete run;
}
}  // namespace

void StartFilterWindow(uint32_t process_id) {
  StopFilterWindow();
  std::shared_ptr<OverlayRun> run(new OverlayRun, CloseRun);
  run->process_id = process_id;
  run->choice = ReadFilterChoice(App().settings);
  run->stop_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!run->stop_event) return;
  auto* param = new std::shared_ptr<OverlayRun>(run);
  HANDLE thread = CreateThread(nullptr, 0, OverlayThread, param, 0, nullptr);
  if (!thread) {
    delete param;
    return;
  }
  g_overlay = {run, thread};
}

void StopFilterWindow() {
  if (!g_overlay.thread) return;
  g_overlay.run->stop = true;
  SetEvent(g_overlay.run->stop_event);
  WaitForSingleObject(g_overlay.thread, kFilterStopWaitMs);
  CloseHandle(g_overlay.thread);
  g_overlay = {};
}
