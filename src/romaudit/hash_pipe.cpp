#include "romaudit/hash_pipe.h"

#include <cstring>
#include <system_error>

HashPipe::HashPipe(bool own_thread) {
  if (!own_thread) return;
  slots_ = std::make_unique<Slot[]>(kSlots);
  for (size_t i = 0; i < kSlots; ++i) slots_[i].bytes.reserve(kSlotBytes);
  try {
    thread_ = std::thread([this] { Run(); });
    threaded_ = true;
  } catch (const std::system_error&) {
    slots_.reset();
  }
}

HashPipe::~HashPipe() {
  if (threaded_) Finish();
}

void HashPipe::Update(const uint8_t* data, size_t length) {
  if (!threaded_) return sha_.Update(data, length);
  while (length) {
    std::vector<uint8_t>& bytes = slots_[filling_].bytes;
    size_t n = std::min(length, kSlotBytes - bytes.size());
    bytes.insert(bytes.end(), data, data + n);
    data += n;
    length -= n;
    if (bytes.size() == kSlotBytes) Hand(filling_);
  }
}

// Marks the slot for the hashing thread and moves on to the next, waiting
// while that one is still being hashed.
void HashPipe::Hand(size_t slot) {
  std::unique_lock<std::mutex> lock(mutex_);
  slots_[slot].full = true;
  changed_.notify_all();
  filling_ = (slot + 1) % kSlots;
  changed_.wait(lock, [&] { return !slots_[filling_].full; });
}

void HashPipe::Run() {
  for (size_t next = 0;; next = (next + 1) % kSlots) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return slots_[next].full || done_; });
    if (!slots_[next].full) return;  // done, and everything handed over was hashed
    lock.unlock();
    sha_.Update(slots_[next].bytes.data(), slots_[next].bytes.size());
    slots_[next].bytes.clear();
    lock.lock();
    slots_[next].full = false;
    changed_.notify_all();
  }
}

Sha1Digest HashPipe::Finish() {
  if (threaded_) {
    if (!slots_[filling_].bytes.empty()) Hand(filling_);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    changed_.notify_all();
    thread_.join();
    threaded_ = false;
  }
  return sha_.Finish();
}
