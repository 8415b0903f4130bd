// A worker thread of the preview: it answers the newest request with the
// answerer it was started with (the pictures, or the card's texts). The
// window thread never waits for it: a request is handed over through one atomic slot and an
// event, results come back as heap blocks attached to messages posted to the
// pane; there are no locks. A request that a newer one replaces before it is
// done is dropped unanswered. The thread has no message queue: under Wine a
// thread's first message call opens a display connection of its own, which
// would cost every start several milliseconds.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "preview/preview_request.h"

class PreviewWorker {
 public:
  PreviewWorker() = default;
  ~PreviewWorker() { Stop(); }
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  // Results go to `window` as `message` with the PreviewResult* in lParam;
  // the receiver owns it (the worker frees it when the post fails). The
  // answerer is made by `make` on the worker's thread.
  bool Start(HWND window, UINT message, PreviewAnswererFactory make);
  void Ask(std::unique_ptr<PreviewRequest> request);
  // Ends the thread; a decode that does not finish in time is left to the
  // end of the process, with the state it shares.
  void Stop();

  // What the window thread and the worker share; the last of them to let go frees it.
  struct Shared {
    HWND window = nullptr;
    UINT message = 0;
    HANDLE wake = nullptr;  // set when a request is waiting or the thread should end
    std::atomic<PreviewRequest*> waiting{nullptr};
    std::atomic<bool> stopping{false};
    PreviewAnswererFactory make;
    ~Shared();
  };

 private:
  HANDLE thread_ = nullptr;
  std::shared_ptr<Shared> shared_;
};
