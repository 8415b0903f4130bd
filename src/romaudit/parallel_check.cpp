#include "romaudit/parallel_check.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
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

class Scheduler {
 public:
  Scheduler(const RomListing& listing, const RomPlaces& places, const std::vector<std::string>& sets,
            const CheckRun& run)
      : listing_(listing), places_(places), sets_(sets), run_(run) {
    control_.cancel = run.cancel;
    control_.bytes = run.bytes;
    std::vector<PlaceToRead> all = PlacesToRead(listing, places, sets);
    for (PlaceToRead& p : all) {
      by_path_[p.path] = places_list_.size();
      auto place = std::make_unique<Place>();
      place->what = std::move(p);
      places_list_.push_back(std::move(place));
    }
    StampsFromListing();
    for (const std::string& set : sets) {
      std::vector<size_t> needs;
      for (const PlaceToRead& p : PlacesToRead(listing, places, {set})) needs.push_back(by_path_[p.path]);
      set_needs_.push_back(std::move(needs));
    }
    set_done_.assign(sets.size(), false);
    open_limit_ = std::max(2u, run.threads + 1);
  }

  ~Scheduler() {
    for (auto& p : places_list_)
      if (p->zip) CloseZip(*p->zip);  // left open by a cancel
  }

  void Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!Cancelled()) {
      if (Place* p = PlaceWithMembersLeft()) {
        size_t index = p->next_member++;
        DigestControl control = control_;
        control.spare_core = ++busy_ < run_.threads && !PlaceWithMembersLeft() && next_place_ >= places_list_.size();
        lock.unlock();
        bool finished = DigestZipMember(*p->zip, index, p->digest.members[index], control);
        lock.lock();
        --busy_;
        if (!finished) break;
        if (--p->members_left == 0) Finish(*p);
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
      if (next_place_ >= places_list_.size() && open_ == 0) break;
      wake_.wait(lock);
    }
    wake_.notify_all();
  }

  bool Cancelled() const { return run_.cancel && run_.cancel->load(std::memory_order_relaxed); }

  // Sets that needed no place at all (nothing of them is on disk) are judged at once.
  void JudgeReady() {
    std::lock_guard<std::mutex> lock(mutex_);
    EmitReady();
  }

 private:
  void StampsFromListing() {
    std::unordered_map<std::string, FileStamp> stamps;
    for (const auto& folder : places_.by_folder)
      for (const auto& [name, p] : folder) {
        for (const std::optional<SetPlace>* place : {&p.zip, &p.seven_zip, &p.folder})
          if (*place) stamps[(*place)->path] = (*place)->stamp;
      }
    for (auto& p : places_list_) p->before = stamps[p->what.path];
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
    EmitReady();
    wake_.notify_all();
  }

  void EmitReady() {
    for (size_t i = 0; i < sets_.size(); ++i) {
      if (set_done_[i]) continue;
      bool ready = std::all_of(set_needs_[i].begin(), set_needs_[i].end(),
                               [&](size_t k) { return places_list_[k]->done; });
      if (!ready) continue;
      set_done_[i] = true;
      SetCheck check = CheckSet(listing_, places_, sets_[i], [&](const std::string& path) -> const ContainerDigest* {
        auto it = by_path_.find(path);
        if (it == by_path_.end()) return nullptr;
        const Place& p = *places_list_[it->second];
        return p.done ? &p.digest : nullptr;
      });
      if (run_.done) run_.done(std::move(check));
    }
  }

  const RomListing& listing_;
  const RomPlaces& places_;
  const std::vector<std::string>& sets_;
  const CheckRun& run_;
  DigestControl control_;
  std::vector<std::unique_ptr<Place>> places_list_;
  std::unordered_map<std::string, size_t> by_path_;
  std::vector<std::vector<size_t>> set_needs_;
  std::vector<bool> set_done_;
  std::vector<Place*> opened_;
  size_t next_place_ = 0, open_ = 0, open_limit_ = 2;
  unsigned busy_ = 0;  // threads unpacking a member
  std::mutex mutex_;
  std::condition_variable wake_;
};

}  // namespace

bool CheckSets(const RomListing& listing, const RomPlaces& places, const std::vector<std::string>& sets,
               const CheckRun& run) {
  Scheduler scheduler(listing, places, sets, run);
  scheduler.JudgeReady();
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < run.threads; ++i) {
    try {
      helpers.emplace_back([&] { scheduler.Work(); });
    } catch (const std::system_error&) {
      break;  // fewer threads: slower, not wrong
    }
  }
  scheduler.Work();
  for (std::thread& t : helpers) t.join();
  return !scheduler.Cancelled();
}

unsigned CheckThreads() {
  unsigned n = std::thread::hardware_concurrency();
  return std::clamp(n, 1u, 16u);
}
