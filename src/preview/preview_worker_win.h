// The preview's worker thread: finds a game's snapshots, decodes and scales
// the one asked for, and keeps the last pictures. The window thread never
// waits for it: requests travel to it as thread messages, results come back
// as heap blocks attached to messages posted to the pane; nothing mutable is
// shared, and there are no locks. A request that a newer one replaces before
// it is done is dropped unanswered.
#pragma once
#include <windows.h>

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
  // end of the process.
  void Stop();

 private:
  HANDLE thread_ = nullptr;
  DWORD thread_id_ = 0;
};
