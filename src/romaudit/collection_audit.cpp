#include "romaudit/collection_audit.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>

#include "base/file_system.h"
#include "base/text_util.h"
#include "launch/captured_run.h"
#include "romaudit/parallel_check.h"
#include "romaudit/rom_places.h"
#include "romaudit/verify_text.h"

namespace {

using Clock = std::chrono::steady_clock;

bool StillHolds(const AuditRecord& r, const RomPlaces& places, const SetPlace& own) {
  return r.own.size == own.stamp.size && r.own.write_time == own.stamp.write_time &&
         r.fingerprint == PlacesFingerprint(places, r.looked_in);
}

AuditRow RowFromRecord(const AuditGame& game, const AuditRecord& r) {
  return {game.title, game.set, r.verdict, r.details, r.report, true};
}

// Posts the progress every quarter second while the sets are read.
class Ticker {
 public:
  Ticker(const AuditEvents& events, const std::vector<std::string>& sets, const std::atomic<size_t>& done,
         const std::atomic<uint64_t>& bytes, Clock::time_point start)
      : events_(events), sets_(sets), done_(done), bytes_(bytes), start_(start) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
    }
  }
  ~Ticker() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
  }
  void Post() const {
    AuditProgress p;
    p.total = sets_.size();
    p.done = std::min(done_.load(), p.total);
    p.bytes = bytes_.load();
    p.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    p.reading = p.done < p.total ? sets_[p.done] : "";
    if (events_.progress) events_.progress(p);
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stop_; })) Post();
  }
  const AuditEvents& events_;
  const std::vector<std::string>& sets_;
  const std::atomic<size_t>& done_;
  const std::atomic<uint64_t>& bytes_;
  Clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

// MAME's answer, filled by a thread of its own: a cancel does not wait for
// it, and the thread finishes alone (its run ends within its time limit).
struct MameAnswer {
  std::mutex mutex;
  std::condition_variable done_changed;
  bool done = false;
  int result = kCapturedNotStarted;
  MameAnswers texts;
};

enum class Asked { Answered, NoAnswer, Cancelled };

// The names of what the games need: their sets, parents and BIOS sets.
std::vector<std::string> NamesToAsk(const std::vector<AuditGame>& games) {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const AuditGame& g : games)
    if (!g.not_in_mame)
      for (const std::string* s : {&g.set, &g.parent, &g.bios})
        if (!s->empty() && seen.insert(*s).second) names.push_back(*s);
  return names;
}

// Asks MAME what the sets named need, and in which order it checks their files.
Asked AskMame(const MameAsker& mame, const std::vector<std::string>& names, const std::atomic<bool>& cancel,
              MameAnswers& texts) {
  auto answer = std::make_shared<MameAnswer>();
  try {
    std::thread([answer, mame, names] {
      TextBuffer output, order;
      int result = mame.run(mame.program, mame.folder, ListXmlArguments(names), output, kAuditListXmlTimeLimitMs, nullptr);
      if (result == kCapturedEnded &&
          mame.run(mame.program, mame.folder, ListRomsArguments(names), order, kAuditListXmlTimeLimitMs, nullptr) !=
              kCapturedEnded)
        order.clear();
      std::lock_guard<std::mutex> lock(answer->mutex);
      answer->texts.listxml = std::move(output);
      answer->texts.listroms = std::move(order);
      answer->result = result;
      answer->done = true;
      answer->done_changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return Asked::NoAnswer;
  }
  std::unique_lock<std::mutex> lock(answer->mutex);
  while (!answer->done_changed.wait_for(lock, std::chrono::milliseconds(50), [&] { return answer->done; }))
    if (cancel) return Asked::Cancelled;
  if (answer->result != kCapturedEnded) return Asked::NoAnswer;
  texts.listxml = std::move(answer->texts.listxml);
  texts.listroms = std::move(answer->texts.listroms);
  return Asked::Answered;
}

// What the games need: from MAME's answers kept by an earlier audit when they
// hold for this mame.exe and name every set asked about now; else from MAME,
// asked about those sets and the ones asked about before, and kept.
Asked GetListing(const AuditSetup& setup, const std::string& key, const std::vector<AuditGame>& games,
                 const std::atomic<bool>& cancel, RomListing& listing) {
  std::vector<std::string> names = NamesToAsk(games);
  if (names.empty()) return Asked::Answered;
  MameAnswers kept;
  if (auto text = setup.answers_path.empty() ? std::nullopt : ReadWholeFile(setup.answers_path))
    kept = ParseMameAnswers(*text);
  const bool holds = !key.empty() && kept.key == key;
  const std::set<std::string> known(kept.names.begin(), kept.names.end());
  if (!holds || !std::all_of(names.begin(), names.end(), [&](const std::string& n) { return known.count(n) > 0; })) {
    if (holds)
      for (const std::string& n : kept.names)
        if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);
    Asked asked = AskMame(setup.mame, names, cancel, kept);
    if (asked != Asked::Answered) return asked;
    kept.key = key;
    kept.names = names;
    if (!key.empty() && !setup.answers_path.empty()) WriteFileAtomic(setup.answers_path, FormatMameAnswers(kept));
  }
  if (ParseRomListing(kept.listxml, listing) == 0) return Asked::NoAnswer;
  ParseCheckingOrder(kept.listroms, listing);
  return Asked::Answered;
}

void RunAudit(const AuditSetup& setup, const AuditEvents& events, const std::atomic<bool>& cancel) {
  const Clock::time_point start = Clock::now();
  AuditOutcome outcome;
  const RomPlaces places = ListRomPlaces(setup.folders);
  for (const std::string& folder : places.unreadable)
    outcome.notes.push_back("The ROM folder " + folder + " cannot be read (no access?): nothing in it was checked.");

  const std::string key = ListingKey(setup.mame);
  AuditStore old;
  if (auto text = ReadWholeFile(setup.store_path)) old = ParseAuditStore(*text);
  if (old.key != key) old.records.clear();
  AuditStore store;
  store.key = key;

  // Which sets are there, and which of them changed since the last audit.
  std::vector<AuditGame> to_check;
  std::unordered_map<std::string, const AuditGame*> game_of;
  for (const AuditGame& game : setup.games) {
    const SetPlace* own = places.FirstPlace(game.set);
    if (!own || game_of.count(game.set)) continue;
    game_of[game.set] = &game;
    auto r = old.records.find(game.set);
    // A set that could not be read is read again, whatever changed.
    if (!key.empty() && r != old.records.end() && r->second.verdict != Verdict::NotChecked &&
        StillHolds(r->second, places, *own)) {
      store.records[game.set] = r->second;
      if (events.row) events.row(RowFromRecord(game, r->second));
      ++outcome.kept;
    } else {
      to_check.push_back(game);
    }
  }

  std::vector<std::string> sets;
  for (const AuditGame& g : to_check) sets.push_back(g.set);
  std::atomic<size_t> done{0};
  std::atomic<uint64_t> bytes{0};
  Ticker ticker(events, sets, done, bytes, start);
  ticker.Post();

  RomListing listing;
  CheckRun run;
  run.threads = setup.threads;
  run.cancel = &cancel;
  run.bytes = &bytes;
  run.done = [&](SetCheck&& check) {
    const AuditGame& game = *game_of.find(check.set)->second;
    AuditRow row{game.title, game.set, check.verdict, DetailsLine(check), VerifyText(check), false};
    AuditRecord& r = store.records[game.set];
    r.own = places.FirstPlace(game.set)->stamp;
    r.looked_in = SetsLookedIn(listing, game.set);
    r.fingerprint = PlacesFingerprint(places, r.looked_in);
    r.verdict = row.verdict;
    r.details = row.details;
    r.report = row.report;
    ++done;
    ++outcome.checked;
    if (events.row) events.row(std::move(row));
  };
  SetChecker checker(places, run);
  std::string failure;
  if (!to_check.empty()) {
    Asked asked = Asked::NoAnswer;
    if (!setup.mame.found || !setup.mame.run) {
      failure = "mame.exe was not found (General tab > MAME Program), so the sets could not be checked.";
    } else {
      // The archives named after the sets are read while MAME answers (or its kept answers are read).
      std::vector<std::string> names;
      for (const AuditGame& g : to_check)
        for (const std::string* s : {&g.set, &g.parent, &g.bios})
          if (!s->empty()) names.push_back(*s);
      checker.ReadAhead(names);
      if ((asked = GetListing(setup, key, to_check, cancel, listing)) == Asked::NoAnswer)
        failure = "MAME did not answer when asked which files the sets need, so they could not be checked.";
    }
    outcome.cancelled = asked == Asked::Cancelled;
  }
  if (outcome.cancelled) {
    // Stopped while MAME was asked: nothing was judged.
  } else if (!failure.empty()) {
    outcome.notes.push_back(failure);
    for (const AuditGame& g : to_check)
      if (events.row) events.row({g.title, g.set, Verdict::NotChecked, failure, "", false});
  } else if (!to_check.empty()) {
    checker.Judge(listing, sets);
    outcome.cancelled = !checker.Finish();
  }
  ticker.Post();

  if (!key.empty() && !WriteFileAtomic(setup.store_path, FormatAuditStore(store)))
    outcome.notes.push_back("korvo-audit.cfg could not be written, so the next audit reads everything again.");
  if (events.finished) events.finished(std::move(outcome));
}

}  // namespace

CollectionAudit::~CollectionAudit() {
  Cancel();
  Wait();
}

bool CollectionAudit::Start(AuditSetup setup, AuditEvents events) {
  if (thread_.joinable()) return false;
  cancel_ = false;
  try {
    thread_ = std::thread([this, setup = std::move(setup), events = std::move(events)] {
      RunAudit(setup, events, cancel_);
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void CollectionAudit::Cancel() { cancel_ = true; }

void CollectionAudit::Wait() {
  if (thread_.joinable()) thread_.join();
}

std::vector<AuditGame> AuditGames(const GameList& games) {
  std::vector<AuditGame> out;
  out.reserve(games.size());
  for (const GameEntry& e : games)
    out.push_back({e.title, e.set, e.parent, e.bios, (e.flags & kGameNotInMame) != 0});
  return out;
}

RomStatus AuditMark(Verdict verdict) {
  if (VerdictIsGood(verdict)) return RomStatus::CheckedGood;
  if (verdict == Verdict::NotChecked) return RomStatus::NotChecked;
  if (verdict == Verdict::Unknown) return RomStatus::Unknown;
  return RomStatus::Damaged;
}

std::unordered_map<std::string, RomStatus> CurrentAuditMarks(const std::string& store_path, const MameAsker& mame,
                                                             const std::vector<std::string>& folders) {
  std::unordered_map<std::string, RomStatus> marks;
  auto text = ReadWholeFile(store_path);
  if (!text) return marks;
  AuditStore store = ParseAuditStore(*text);
  if (store.key.empty() || store.key != ListingKey(mame)) return marks;
  const RomPlaces places = ListRomPlaces(folders);
  for (const auto& [set, record] : store.records) {
    const SetPlace* own = places.FirstPlace(set);
    if (own && StillHolds(record, places, *own)) marks[set] = AuditMark(record.verdict);
  }
  return marks;
}
