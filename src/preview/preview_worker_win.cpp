#include "preview/preview_worker_win.h"

#include <objbase.h>

#include "base/text_util.h"
#include "preview/picture_cache.h"
#include "preview/picture_decode_win.h"
#include "preview/snapshot_files.h"
#include "settings/settings.h"

namespace {
constexpr UINT kRequestMessage = WM_APP + 1;

struct WorkerStart {
  HWND window;
  UINT message;
  HANDLE ready;
};

// The newest waiting request; older ones are freed unanswered.
std::unique_ptr<PreviewRequest> NewestRequest(std::unique_ptr<PreviewRequest> current) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, kRequestMessage, kRequestMessage, PM_REMOVE))
    current.reset(reinterpret_cast<PreviewRequest*>(msg.lParam));
  return current;
}

bool NewerRequestWaiting() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, kRequestMessage, kRequestMessage, PM_NOREMOVE) != FALSE;
}

std::unique_ptr<PreviewResult> Answer(const PreviewRequest& request, PictureDecoder& decoder, PictureCache& cache) {
  auto result = std::make_unique<PreviewResult>();
  result->generation = request.generation;
  if (request.set.empty()) return result;
  Settings where;
  where.mame_exe = request.mame_exe;
  where.more_options = request.more_options;
  SnapshotChoice choice =
      ChooseSnapshots(SnapshotFolder(where), SnapshotNamePattern(request.more_options), request.set);
  result->set = choice.set;
  if (choice.files.empty()) return result;
  result->index = 0;
  for (size_t i = 0; i < choice.files.size(); ++i) {
    result->files.push_back(choice.files[i].path);
    if (EqualsNoCase(choice.files[i].path, request.want_path)) result->index = static_cast<int>(i);
  }
  if (NewerRequestWaiting()) return nullptr;  // the user has moved on

  const SnapshotFile& file = choice.files[static_cast<size_t>(result->index)];
  if (const CachedPicture* kept = cache.Find(file.path, file.stamp, request.box, request.keep_aspect)) {
    result->picture = kept->picture;
    return result;
  }
  DecodedPicture decoded = decoder.Decode(file.path, request.box, request.keep_aspect);
  result->picture = decoded.picture;
  if (decoded.failure != PictureFailure::None)
    result->log_line = PreviewFailureLine(file.path, decoded.failure, decoded.source);
  if (decoded.picture || decoded.failure != PictureFailure::None)
    cache.Put({file.path, file.stamp, request.box, request.keep_aspect, decoded.picture});
  return result;
}

DWORD WINAPI WorkerMain(void* parameter) {
  WorkerStart start = *static_cast<WorkerStart*>(parameter);
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue exists from here on
  SetEvent(start.ready);
  HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  {
    PictureDecoder decoder;
    PictureCache cache;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message != kRequestMessage) continue;
      auto request = NewestRequest(std::unique_ptr<PreviewRequest>(reinterpret_cast<PreviewRequest*>(msg.lParam)));
      std::unique_ptr<PreviewResult> result = Answer(*request, decoder, cache);
      if (result && PostMessageW(start.window, start.message, 0, reinterpret_cast<LPARAM>(result.get())))
        result.release();
    }
    NewestRequest(nullptr);  // requests that came too late
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
}  // namespace

bool PreviewWorker::Start(HWND window, UINT message) {
  if (thread_) return true;
  WorkerStart start = {window, message, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  if (!start.ready) return false;
  thread_ = CreateThread(nullptr, 0, WorkerMain, &start, 0, &thread_id_);
  if (thread_) WaitForSingleObject(start.ready, INFINITE);
  CloseHandle(start.ready);
  return thread_ != nullptr;
}

void PreviewWorker::Ask(std::unique_ptr<PreviewRequest> request) {
  if (thread_ && PostThreadMessageW(thread_id_, kRequestMessage, 0, reinterpret_cast<LPARAM>(request.get())))
    request.release();
}

void PreviewWorker::Stop() {
  if (!thread_) return;
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_, 5000);
  CloseHandle(thread_);
  thread_ = nullptr;
  thread_id_ = 0;
}
