// Checking many sets on every core: each place (zip or loose folder) the sets
// need is read once, its members shared out among the threads, and each set
// is judged as soon as the last of its places has been read.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "romaudit/rom_listing.h"
#include "romaudit/rom_places.h"
#include "romaudit/set_check.h"

struct CheckRun {
  unsigned threads = 1;
  const std::atomic<bool>* cancel = nullptr;
  std::atomic<uint64_t>* bytes = nullptr;  // grows as data is read
  // Called for each set once it is judged, one call at a time, from any of
  // the threads: it should be quick.
  std::function<void(SetCheck&& check)> done;
};

// Judges `sets` in that order of reading. The caller's thread works too. False
// when cancelled; sets judged until then have been handed to `done`.
bool CheckSets(const RomListing& listing, const RomPlaces& places, const std::vector<std::string>& sets,
               const CheckRun& run);

// How many threads to use: every core the system reports, within reason.
unsigned CheckThreads();
