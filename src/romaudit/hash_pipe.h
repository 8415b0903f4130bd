// SHA-1 taken on a core of its own while the data is still being unpacked:
// the two then overlap instead of adding up. Worth it only while a core is
// idle (the last large members of an audit, a single big zip).
#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "romcheck/sha1.h"

class HashPipe {
 public:
  // Without `own_thread` (or when no thread can be had) it hashes in line.
  explicit HashPipe(bool own_thread);
  ~HashPipe();
  HashPipe(const HashPipe&) = delete;
  HashPipe& operator=(const HashPipe&) = delete;

  void Update(const uint8_t* data, size_t length);
  Sha1Digest Finish();

 private:
  static constexpr size_t kSlots = 4, kSlotBytes = 256u << 10;
  struct Slot {
    std::vector<uint8_t> bytes;
    bool full = false;
  };
  void Hand(size_t slot);
  void Run();

  Sha1 sha_;
  bool threaded_ = false;
  std::unique_ptr<Slot[]> slots_;
  size_t filling_ = 0;  // the producer's slot
  bool done_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
};
