// Check All ROM Sets: every game whose zip (or folder) lies in a ROM folder
// is judged against what MAME's -listxml says it needs, on worker threads.
// Sets whose places are unchanged since the last audit keep their result;
// the rest are read, every byte. Results are kept in korvo-audit.cfg.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "catalogue/game_table.h"
#include "catalogue/listing.h"
#include "catalogue/rom_scan.h"
#include "romaudit/audit_store.h"
#include "romaudit/set_check.h"

struct AuditGame {
  std::string title, set, parent, bios;
  bool not_in_mame = false;
};

// Everything the audit needs, taken on the main thread: the workers never
// read the settings or the game list.
struct AuditSetup {
  MameAsker mame;
  std::vector<std::string> folders;  // the ROM folders in MAME's search order
  std::vector<AuditGame> games;
  std::string store_path;
  std::string answers_path;  // MAME's answers kept between audits; "" keeps none
  unsigned threads = 1;
};

struct AuditRow {
  std::string title, set;
  Verdict verdict = Verdict::NotChecked;
  std::string details;
  std::string report;  // the set's lines of the report
  bool from_last_audit = false;
};

struct AuditProgress {
  size_t done = 0, total = 0;  // sets to read this time
  uint64_t bytes = 0;          // read so far
  double seconds = 0;
  std::string reading;  // the set being read, or "" while MAME is asked
};

struct AuditOutcome {
  size_t checked = 0, kept = 0;  // read this time; unchanged since the last audit
  bool cancelled = false;
  std::vector<std::string> notes;  // folders or answers that kept sets from being checked
};

// Called from the audit's threads; each should only hand its block on.
struct AuditEvents {
  std::function<void(AuditRow row)> row;
  std::function<void(const AuditProgress& progress)> progress;
  std::function<void(AuditOutcome outcome)> finished;
};

class CollectionAudit {
 public:
  CollectionAudit() = default;
  ~CollectionAudit();
  CollectionAudit(const CollectionAudit&) = delete;
  CollectionAudit& operator=(const CollectionAudit&) = delete;

  // False when no thread could be started.
  bool Start(AuditSetup setup, AuditEvents events);
  // Asks the workers to stop; what was judged is kept. Returns at once.
  void Cancel();
  // Waits until the audit has ended and korvo-audit.cfg is written.
  void Wait();

 private:
  std::atomic<bool> cancel_{false};
  std::thread thread_;
};

// The game list's games as the audit takes them.
std::vector<AuditGame> AuditGames(const GameList& games);

// What the last audit found of each present set, as the game list's status
// icon shows it, for results that still hold for this mame.exe and these places.
std::unordered_map<std::string, RomStatus> CurrentAuditMarks(const std::string& store_path, const MameAsker& mame,
                                                             const std::vector<std::string>& folders);
RomStatus AuditMark(Verdict verdict);

constexpr uint32_t kAuditListXmlTimeLimitMs = 60000;
