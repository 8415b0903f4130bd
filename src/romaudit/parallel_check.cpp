#include "romaudit/parallel_check.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "romaudit/container_digest.h"

namespace {

struct Place {
  PlaceToRead what;
  ContainerDigest digest;
  FileStamp before;  // as listed; a place that changes while read is not trusted
  bool done = false;
  // While a zip is open:
  std::unique_ptr<OpenZip> zip;
  size_t next_member = 0, members_left = 0;
};

}  // namespace

class SetChecker::Scheduler {
 public:
  Scheduler(const RomPlaces& places, const CheckRun& run) : places_(places), run_(run) {
    control_.cancel = run.cancel;
    control_.halt = &halt_;
    control_.bytes = run.bytes;
    open_limit_ = std::max(2u, run.threads + 1);
    for (const auto& folder : places_.by_folder)
      for (const auto& [name, p] : folder)
        for (const std::optional<SetPlace>* place : {&p.zip, &p.seven_zip, &p.folder})
          if (*place) stamps_[(*place)->path] = (*place)->stamp;
  }

  ~Scheduler() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    halt_ = true;
    wake_.notify_all();
    JoinHelpers();
    for (auto& p : places_list_)
      if (p->zip) CloseZip(*p->zip);  // left open by a cancel
  }

  void ReadAhead(const std::vector<std::string>& names) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (const std::string& name : names)
        for (size_t folder = 0; folder < places_.folders.size(); ++folder)
          if (const SetPlaces* p = places_.Find(folder, name)) {
            if (p->zip) Add({p->zip->path, PlaceKind::Zip, {}, {}});
            if (p->seven_zip) Add({p->seven_zip->path, PlaceKind::SevenZip, {}, {}});
          }
    }
    wake_.notify_all();
    StartHelpers();
  }

  void Judge(const RomListing& listing, const std::vector<std::string>& sets) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      listing_ = &listing;
      sets_ = &sets;
      for (PlaceToRead& p : PlacesToRead(listing, places_, sets)) Add(std::move(p));
      for (const std::string& set : sets) {
        std::vector<size_t> needs;
        for (const PlaceToRead& p : PlacesToRead(listing, places_, {set})) needs.push_back(by_path_[p.path]);
        set_needs_.push_back(std::move(needs));
      }
      set_done_.assign(sets.size(), false);
      judging_ = true;
      EmitReady();  // sets of which nothing is on disk need no place
    }
    wake_.notify_all();
    StartHelpers();
  }

  bool Finish() {
    Work();
    JoinHelpers();
    return !Cancelled();
  }

 private:
  void StartHelpers() {
    std::lock_guard<std::mutex> lock(helpers_mutex_);
    if (helpers_started_) return;
    helpers_started_ = true;
    for (unsigned i = 1; i < run_.threads; ++i) {
      try {
        helpers_.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break;  // fewer threads: slower, not wrong
      }
    }
  }

  void JoinHelpers() {
    std::lock_guard<std::mutex> lock(helpers_mutex_);
    for (std::thread& t : helpers_) t.join();
    helpers_.clear();
  }

  bool Cancelled() const { return run_.cancel && run_.cancel->load(std::memory_order_relaxed); }

  // With the lock held. A place already known is read once.
  void Add(PlaceToRead what) {
    auto [it, added] = by_path_.emplace(what.path, places_list_.size());
    if (!added) return;
    auto place = std::make_unique<Place>();
    auto stamp = stamps_.find(what.path);
    if (stamp != stamps_.end()) place->before = stamp->second;
    place->what = std::move(what);
    places_list_.push_back(std::move(place));
  }

  void Work() {
    PairBuffers buffers;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!Cancelled() && !stop_) {
      if (Place* p = PlaceWithMembersLeft()) {
        size_t index = p->next_member++;
        // Two members of at most kPairedMember bytes are taken together.
        Place* q = Pairable(p->digest.members[index]) ? PlaceWithMembersLeft() : nullptr;
        if (q && !Pairable(q->digest.members[q->next_member])) q = nullptr;
        const size_t other = q ? q->next_member++ : 0;
        DigestControl control = control_;
        control.spare_core =
            ++busy_ < run_.threads && judging_ && !PlaceWithMembersLeft() && next_place_ >= places_list_.size();
        lock.unlock();
        bool finished = q ? DigestZipMembers(*p->zip, index, p->digest.members[index], *q->zip, other,
                                             q->digest.members[other], control, buffers)
                          : DigestZipMember(*p->zip, index, p->digest.members[index], control);
        lock.lock();
        --busy_;
        if (!finished) break;
        if (--p->members_left == 0) Finish(*p);
        if (q && --q->members_left == 0) Finish(*q);
        continue;
      }
      if (next_place_ < places_list_.size() && open_ < open_limit_) {
        Place& p = *places_list_[next_place_++];
        ++open_;
        lock.unlock();
        bool finished = Open(p);
        lock.lock();
        if (!finished) break;
        if (p.zip && p.members_left > 0) {
          opened_.push_back(&p);
          continue;
        }
        Finish(p);
        continue;
      }
      if (judging_ && next_place_ >= places_list_.size() && open_ == 0) break;
      // Before the listing comes, more places may follow; a cancel is seen within the wait.
      wake_.wait_for(lock, std::chrono::milliseconds(50));
    }
    wake_.notify_all();
  }

  Place* PlaceWithMembersLeft() {
    for (Place* p : opened_)
      if (p->next_member < p->digest.members.size()) return p;
    return nullptr;
  }

  // Opens a zip (members follow), or reads a 7z archive or a loose folder
  // whole; false when cancelled.
  bool Open(Place& p) {
    switch (p.what.kind) {
      case PlaceKind::Folder: return DigestFolder(p.what.path, p.what.files, p.what.disks, p.digest, control_);
      case PlaceKind::SevenZip: return DigestSevenZip(p.what.path, p.digest, control_);
      case PlaceKind::Zip: break;
    }
    p.zip = std::make_unique<OpenZip>();
    if (OpenZipForDigest(p.what.path, *p.zip, p.digest)) p.members_left = p.digest.members.size();
    return true;
  }

  // With the lock held.
  void Finish(Place& p) {
    if (p.zip) {
      CloseZip(*p.zip);
      p.zip.reset();
      opened_.erase(std::remove(opened_.begin(), opened_.end(), &p), opened_.end());
    }
    if (p.what.kind != PlaceKind::Folder) {
      FileStamp after;
      if (p.digest.problem.empty() &&
          (!ReadFileStamp(p.what.path, after) || after.size != p.before.size || after.write_time != p.before.write_time))
        p.digest = ContainerDigest{"changed while it was being read: check it again", {}};
    }
    p.done = true;
    --open_;
    if (judging_) EmitReady();
    wake_.notify_all();
  }

  // With the lock held.
  void EmitReady() {
    for (size_t i = 0; i < sets_->size(); ++i) {
      if (set_done_[i]) continue;
      bool ready = std::all_of(set_needs_[i].begin(), set_needs_[i].end(),
                               [&](size_t k) { return places_list_[k]->done; });
      if (!ready) continue;
      set_done_[i] = true;
      SetCheck check = CheckSet(*listing_, places_, (*sets_)[i], [&](const std::string& path) -> const ContainerDigest* {
        auto it = by_path_.find(path);
        if (it == by_path_.end()) return nullptr;
        const Place& p = *places_list_[it->second];
        return p.done ? &p.digest : nullptr;
      });
      if (run_.done) run_.done(std::move(check));
    }
  }

  const RomPlaces& places_;
  const CheckRun& run_;
  const RomListing* listing_ = nullptr;
  const std::vector<std::string>* sets_ = nullptr;
  DigestControl control_;
  std::unordered_map<std::string, FileStamp> stamps_;  // as listed
  std::vector<std::unique_ptr<Place>> places_list_;
  std::unordered_map<std::string, size_t> by_path_;
  std::vector<std::vector<size_t>> set_needs_;
  std::vector<bool> set_done_;
  std::vector<Place*> opened_;
  size_t next_place_ = 0, open_ = 0, open_limit_ = 2;
  unsigned busy_ = 0;  // threads unpacking a member
  bool judging_ = false, stop_ = false;
  std::atomic<bool> halt_{false};  // stop_, for readers in the middle of a place
  std::mutex mutex_;
  std::condition_variable wake_;
  std::mutex helpers_mutex_;
  bool helpers_started_ = false;
  std::vector<std::thread> helpers_;
};

SetChecker::SetChecker(const RomPlaces& places, const CheckRun& run)
    : scheduler_(std::make_unique<Scheduler>(places, run)) {}
SetChecker::~SetChecker() = default;
void SetChecker::ReadAhead(const std::vector<std::string>& names) { scheduler_->ReadAhead(names); }
void SetChecker::Judge(const RomListing& listing, const std::vector<std::string>& sets) {
  scheduler_->Judge(listing, sets);
}
bool SetChecker::Finish() { return scheduler_->Finish(); }

bool CheckSets(const RomListing& listing, const RomPlaces& places, const std::vector<std::string>& sets,
               const CheckRun& run) {
  SetChecker checker(places, run);
  checker.Judge(listing, sets);
  return checker.Finish();
}

unsigned CheckThreads() {
  unsigned n = std::thread::hardware_concurrency();
  return std::clamp(n, 1u, 16u);
}
