// The preview's worker thread: finds a game's snapshots, decodes and scales
// the one asked for, and keeps the last pictures. The window thread never
// waits for it: a request is handed over through one atomic slot and an
// event, results come back as heap blocks attached to messages posted to the
// pane; there are no locks. A request that a newer one replaces before it is
// done is dropped unanswered. The thread has no message queue: under Wine a
// thread's first message call opens a display connection of its own, which
// would cost every start several milliseconds.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "preview/picture_scale.h"

struct PreviewRequest {
  uint64_t generation = 0;  // answers carry it back, so that the pane knows the newest
  std::string set;
  std::string mame_exe, more_options;  // where MAME keeps its snapshots and how it names them
  bool keep_aspect = true;
  PictureSize box;
  std::string want_path;  // the picture to show; empty: the newest
};

struct PreviewResult {
  uint64_t generation = 0;
  std::string set;                 // whose pictures: the game's, or its parent's or a clone's
  std::vector<std::string> files;  // newest first
  int index = -1;                  // of the file shown; -1 with none
  std::shared_ptr<const Picture> picture;  // empty: the placeholder
  std::string log_line;            // a file that could not be shown, found just now
};

class PreviewWorker {
 public:
  PreviewWorker() = default;
  ~PreviewWorker() { Stop(); }
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  // Results go to `window` as `message` with the PreviewResult* in lParam;
  // the receiver owns it (the worker frees it when the post fails).
  bool Start(HWND window, UINT message);
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
    ~Shared();
  };

 private:
  HANDLE thread_ = nullptr;
  std::shared_ptr<Shared> shared_;
};
