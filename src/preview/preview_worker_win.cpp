#include "preview/preview_worker_win.h"

#include <objbase.h>

#include <optional>

#include "base/text_util.h"
#include "preview/picture_cache.h"
#include "preview/picture_decode_win.h"
#include "preview/snapshot_files.h"
#include "settings/settings.h"

PreviewWorker::Shared::~Shared() {
  delete waiting.exchange(nullptr);
  if (wake) CloseHandle(wake);
}

namespace {
using Shared = PreviewWorker::Shared;

bool NewerRequestWaiting(const Shared& shared) { return shared.waiting.load() != nullptr; }

// COM and the imaging library come with the first picture to decode: loaded
// at start-up, beside the window's making, they only slowed it.
class LazyDecoder {
 public:
  ~LazyDecoder() {
    decoder_.reset();
    if (SUCCEEDED(com_)) CoUninitialize();
  }
  PictureDecoder& Get() {
    if (!decoder_) {
      com_ = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      decoder_.emplace();
    }
    return *decoder_;
  }

 private:
  HRESULT com_ = E_FAIL;
  std::optional<PictureDecoder> decoder_;
};

std::unique_ptr<PreviewResult> Answer(const Shared& shared, const PreviewRequest& request, LazyDecoder& decoder,
                                      PictureCache& cache) {
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
  if (NewerRequestWaiting(shared)) return nullptr;  // the user has moved on

  const SnapshotFile& file = choice.files[static_cast<size_t>(result->index)];
  if (const CachedPicture* kept = cache.Find(file.path, file.stamp, request.box, request.keep_aspect)) {
    result->picture = kept->picture;
    return result;
  }
  DecodedPicture decoded = decoder.Get().Decode(file.path, request.box, request.keep_aspect);
  result->picture = decoded.picture;
  if (decoded.failure != PictureFailure::None)
    result->log_line = PreviewFailureLine(file.path, decoded.failure, decoded.source);
  if (decoded.picture || decoded.failure != PictureFailure::None)
    cache.Put({file.path, file.stamp, request.box, request.keep_aspect, decoded.picture});
  return result;
}

DWORD WINAPI WorkerMain(void* parameter) {
  std::shared_ptr<Shared> shared(std::move(*static_cast<std::shared_ptr<Shared>*>(parameter)));
  delete static_cast<std::shared_ptr<Shared>*>(parameter);
  {
    LazyDecoder decoder;
    PictureCache cache;
    while (WaitForSingleObject(shared->wake, INFINITE) == WAIT_OBJECT_0 && !shared->stopping.load()) {
      std::unique_ptr<PreviewRequest> request(shared->waiting.exchange(nullptr));
      if (!request) continue;
      std::unique_ptr<PreviewResult> result = Answer(*shared, *request, decoder, cache);
      if (result && PostMessageW(shared->window, shared->message, 0, reinterpret_cast<LPARAM>(result.get())))
        result.release();
    }
  }
  return 0;
}
}  // namespace

bool PreviewWorker::Start(HWND window, UINT message) {
  if (thread_) return true;
  auto shared = std::make_shared<Shared>();
  shared->window = window;
  shared->message = message;
  shared->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);  // auto-reset
  if (!shared->wake) return false;
  auto* handed = new std::shared_ptr<Shared>(shared);
  thread_ = CreateThread(nullptr, 0, WorkerMain, handed, 0, nullptr);
  if (!thread_) {
    delete handed;
    return false;
  }
  shared_ = std::move(shared);
  return true;
}

void PreviewWorker::Ask(std::unique_ptr<PreviewRequest> request) {
  if (!thread_) return;
  delete shared_->waiting.exchange(request.release());  // one it had not taken yet goes unanswered
  SetEvent(shared_->wake);
}

void PreviewWorker::Stop() {
  if (!thread_) return;
  shared_->stopping.store(true);
  SetEvent(shared_->wake);
  WaitForSingleObject(thread_, 5000);
  CloseHandle(thread_);
  thread_ = nullptr;
  shared_.reset();
}
