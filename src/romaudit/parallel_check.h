// Checking many sets on every core: each place (zip, 7z archive or loose
// folder) the sets need is read once, its members shared out among the
// threads, and each set is judged as soon as the last of its places has been
// read. Archives named after the sets can be read before MAME has said what
// the sets need, so that its answer costs no time of its own.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
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

class SetChecker {
 public:
  // `places` and `run` must outlive the checker.
  SetChecker(const RomPlaces& places, const CheckRun& run);
  ~SetChecker();  // cancels nothing: Finish() is what waits
  SetChecker(const SetChecker&) = delete;
  SetChecker& operator=(const SetChecker&) = delete;

  // Starts reading, on all threads but the caller's, the archives named after
  // `names` (the sets, their parents and BIOS sets as the game list has them).
  void ReadAhead(const std::vector<std::string>& names);
  // What the sets need: their other places are read too, and each set is
  // judged once its places are. `listing` and `sets` must outlive Finish().
  void Judge(const RomListing& listing, const std::vector<std::string>& sets);
  // Works on the caller's thread too until every set is judged; false when
  // cancelled (sets judged until then were handed to `done`).
  bool Finish();

 private:
  class Scheduler;
  std::unique_ptr<Scheduler> scheduler_;
};

// Judges `sets` in that order of reading. The caller's thread works too. False
// when cancelled; sets judged until then have been handed to `done`.
bool CheckSets(const RomListing& listing, const RomPlaces& places, const std::vector<std::string>& sets,
               const CheckRun& run);

// How many threads to use: every core the system reports, within reason.
unsigned CheckThreads();
