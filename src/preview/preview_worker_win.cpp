#include "preview/preview_worker_win.h"

PreviewWorker::Shared::~Shared() {
  delete waiting.exchange(nullptr);
  if (wake) CloseHandle(wake);
}

namespace {
using Shared = PreviewWorker::Shared;

DWORD WINAPI WorkerMain(void* parameter) {
  std::shared_ptr<Shared> shared(std::move(*static_cast<std::shared_ptr<Shared>*>(parameter)));
  delete static_cast<std::shared_ptr<Shared>*>(parameter);
  {
    PreviewAnswerFn answer = shared->make();
    const std::function<bool()> superseded = [&shared] { return shared->waiting.load() != nullptr; };
    while (WaitForSingleObject(shared->wake, INFINITE) == WAIT_OBJECT_0 && !shared->stopping.load()) {
      std::unique_ptr<PreviewRequest> request(shared->waiting.exchange(nullptr));
      if (!request) continue;
      std::unique_ptr<PreviewResult> result = answer(*request, superseded);
      if (result && PostMessageW(shared->window, shared->message, 0, reinterpret_cast<LPARAM>(result.get())))
        result.release();
    }
  }
  return 0;
}
}  // namespace

bool PreviewWorker::Start(HWND window, UINT message, PreviewAnswererFactory make) {
  if (thread_) return true;
  auto shared = std::make_shared<Shared>();
  shared->window = window;
  shared->message = message;
  shared->make = std::move(make);
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
