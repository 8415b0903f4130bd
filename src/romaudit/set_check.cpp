#include "romaudit/set_check.h"

#include <algorithm>
#include <map>

#include "base/text_util.h"
#include "romcheck/seven_zip.h"

namespace {

constexpr size_t kLongestPath = 16;  // romof chains are two or three long; this stops a loop

// The set, then the set whose files it shares, and so on (clone, parent, BIOS).
std::vector<std::string> MachinePath(const RomListing& listing, const std::string& set) {
  std::vector<std::string> path;
  for (std::string at = set; !at.empty() && path.size() < kLongestPath;) {
    if (std::find(path.begin(), path.end(), at) != path.end()) break;
    path.push_back(at);
    auto m = listing.find(at);
    if (m == listing.end()) break;
    at = m->second.romof;
  }
  return path;
}

// A device's files are looked for under its own name first, then as the machine's.
std::vector<std::string> DevicePath(const ListedMachine& device, const std::vector<std::string>& machine_path) {
  std::vector<std::string> path{device.name};
  if (!device.romof.empty() && device.romof != device.name) path.push_back(device.romof);
  for (const std::string& s : machine_path)
    if (std::find(path.begin(), path.end(), s) == path.end()) path.push_back(s);
  return path;
}

// Two sets of checksums agree when every kind both have is equal, and they
// have at least one kind in common.
bool SameHashes(const ListedFile& a, const ListedFile& b) {
  int common = 0;
  if (a.has_crc && b.has_crc) {
    if (a.crc != b.crc) return false;
    ++common;
  }
  if (a.has_sha1 && b.has_sha1) {
    if (a.sha1 != b.sha1) return false;
    ++common;
  }
  return common > 0;
}

bool FoundMatches(const ListedFile& expected, const FoundValues& found, bool* sha1_only = nullptr) {
  int common = 0;
  if (expected.has_crc && found.has_crc) {
    if (expected.crc != found.crc) return false;
    ++common;
  }
  if (expected.has_sha1 && found.has_sha1) {
    if (expected.sha1 != found.sha1) {
      if (sha1_only) *sha1_only = true;
      return false;
    }
    ++common;
  }
  return common > 0;
}

// The highest of the sets `file`'s machine shares files with (its parent,
// then its BIOS) that has the same file, or "".
std::string SharedWith(const RomListing& listing, const std::vector<std::string>& path, const ListedFile& file) {
  std::string highest;
  for (size_t i = 1; i < path.size(); ++i) {
    auto m = listing.find(path[i]);
    if (m == listing.end()) continue;
    std::vector<const ListedMachine*> machines{&m->second};
    for (const std::string& d : m->second.devices) {
      auto dm = listing.find(d);
      if (dm != listing.end()) machines.push_back(&dm->second);
    }
    for (const ListedMachine* machine : machines)
      for (const ListedFile& other : machine->files)
        if (other.size == file.size &&
            (file.nodump ? other.name == file.name : SameHashes(other, file)))
          highest = path[i];
  }
  return highest;
}

struct Need {
  const ListedFile* file;
  std::vector<std::string> path;
  std::string shared_with;
  const ListedMachine* device = nullptr;  // the device the file belongs to, or null for the machine's own
};

// MAME's own order of checking, where it is known: each of its lines takes
// the first need of that name and size not taken yet; needs it does not name
// follow in the listing's order.
void PutInCheckingOrder(std::vector<Need>& needs, const std::vector<CheckedName>& order) {
  std::vector<Need> ordered;
  ordered.reserve(needs.size());
  std::vector<bool> taken(needs.size(), false);
  for (const CheckedName& c : order)
    for (size_t i = 0; i < needs.size(); ++i) {
      const ListedFile& f = *needs[i].file;
      if (!taken[i] && f.disk == c.disk && f.size == c.size && f.name == c.name) {
        taken[i] = true;
        ordered.push_back(std::move(needs[i]));
        break;
      }
    }
  for (size_t i = 0; i < needs.size(); ++i)
    if (!taken[i]) ordered.push_back(std::move(needs[i]));
  needs = std::move(ordered);
}

std::vector<Need> Needs(const RomListing& listing, const ListedMachine& machine) {
  std::vector<Need> needs;
  const std::vector<std::string> path = MachinePath(listing, machine.name);
  for (const ListedFile& f : machine.files) needs.push_back({&f, path, SharedWith(listing, path, f)});
  for (const std::string& d : machine.devices) {
    auto dm = listing.find(d);
    if (dm == listing.end()) continue;
    std::vector<std::string> device_path = DevicePath(dm->second, path);
    for (const ListedFile& f : dm->second.files) needs.push_back({&f, device_path, dm->second.name, &dm->second});
  }
  if (!machine.checking_order.empty()) PutInCheckingOrder(needs, machine.checking_order);
  return needs;
}

std::string FileName(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool PartialNameMatch(const std::string& stored, const std::string& wanted) {
  if (stored.size() <= wanted.size()) return false;
  size_t tail = stored.size() - wanted.size();
  return stored[tail - 1] == '/' && EqualsNoCase(std::string_view(stored).substr(tail), wanted);
}

// MAME's order of looking in an archive: name and CRC, then a name in a
// subfolder with the CRC, then the CRC alone, then the name alone, then in a subfolder.
const MemberDigest* SearchArchive(const ContainerDigest& zip, const ListedFile& file) {
  auto first = [&](auto match) -> const MemberDigest* {
    for (const MemberDigest& m : zip.members)
      if (!m.folder && match(m)) return &m;
    return nullptr;
  };
  const MemberDigest* hit = nullptr;
  if (file.has_crc) {
    hit = first([&](const MemberDigest& m) { return m.stored_crc == file.crc && EqualsNoCase(m.name, file.name); });
    if (!hit)
      hit = first([&](const MemberDigest& m) { return m.stored_crc == file.crc && PartialNameMatch(m.name, file.name); });
    if (!hit) hit = first([&](const MemberDigest& m) { return m.stored_crc == file.crc; });
  }
  if (!hit) hit = first([&](const MemberDigest& m) { return EqualsNoCase(m.name, file.name); });
  if (!hit) hit = first([&](const MemberDigest& m) { return PartialNameMatch(m.name, file.name); });
  return hit;
}

const MemberDigest* SearchFolder(const ContainerDigest& folder, const std::string& name, bool disk) {
  for (const MemberDigest& m : folder.members)
    if (m.disk == disk && EqualsNoCase(m.name, disk ? name + ".chd" : name)) return &m;
  return nullptr;
}

// MAME's rules for one file that was looked for.
FileStatus Judge(const ListedFile& f, bool found, const FoundValues& v, bool sha1_counts) {
  if (!found || (!f.disk && v.size == 0)) {
    if (f.nodump) return FileStatus::NotFoundNoDump;
    if (f.optional) return FileStatus::NotFoundOptional;
    return FileStatus::NotFound;
  }
  if (f.size != v.size) return FileStatus::WrongLength;
  if (f.nodump) return FileStatus::NoGoodDump;
  bool sha1_only = false;
  FoundValues seen = v;
  if (!sha1_counts && !f.disk) seen.has_sha1 = false;
  if (!FoundMatches(f, seen, &sha1_only)) {
    bool crc_agrees = f.has_crc && seen.has_crc && f.crc == seen.crc;
    return sha1_only && crc_agrees ? FileStatus::WrongSha1 : FileStatus::WrongChecksum;
  }
  return f.baddump ? FileStatus::NeedsRedump : FileStatus::Good;
}

// Whether a file found under a name of the set is really another's: its
// size and checksum (a disk's SHA-1) are those of a file of the sets it
// shares files with, or of another file of its device; or it has the name and
// size of such a file nobody has a good dump of. MAME compares what it found
// so whenever it looks in shared places, and does not count such a file as
// the set's own.
bool FoundIsShared(const RomListing& listing, const Need& need, const FoundValues& v) {
  auto same = [&](const ListedFile& other) {
    if (other.disk != need.file->disk) return false;
    if (other.disk) return other.has_sha1 && v.has_sha1 && other.sha1 == v.sha1;
    if (other.size != v.size) return false;
    if (other.nodump) return other.name == need.file->name;
    return other.has_crc && v.has_crc && other.crc == v.crc;
  };
  if (need.device)
    for (const ListedFile& other : need.device->files)
      if (same(other)) return true;
  for (size_t i = 1; i < need.path.size(); ++i) {
    auto m = listing.find(need.path[i]);
    if (m != listing.end() && !m->second.is_device)
      for (const ListedFile& other : m->second.files)
        if (same(other)) return true;
  }
  return false;
}

class Looker {
 public:
  Looker(const RomPlaces& places, const DigestOf& digest_of, SetCheck& check)
      : places_(places), digest_of_(digest_of), check_(check) {}

  void Look(const Need& need, FileCheck& out) {
    const ListedFile& f = *need.file;
    auto look_everywhere = [&](const std::string& name) {
      for (const std::string& set : need.path)
        for (size_t folder = 0; folder < places_.folders.size(); ++folder) {
          const SetPlaces* p = places_.Find(folder, set);
          if (!p) continue;
          if (p->folder && LookInFolder(*p->folder, f, name, out)) return true;
          if (f.disk) continue;
          // As MAME: the zip, then the 7z archive.
          if (p->zip && LookInArchive(*p->zip, f, out)) return true;
          if (p->seven_zip && LookInArchive(*p->seven_zip, f, out)) return true;
        }
      return false;
    };
    for (const std::string& name : NamesFor(f))
      if (look_everywhere(name)) return;
    out.status = Judge(f, false, out.found, true);
    out.mame_status = Judge(f, false, out.mame_found, false);
  }

  // Damage anywhere in the set's own archives counts, used or not; members a
  // file was taken from are reported with that file already.
  void LookOverOwnArchives(const std::string& set) {
    for (size_t folder = 0; folder < places_.folders.size(); ++folder) {
      const SetPlaces* p = places_.Find(folder, set);
      if (!p) continue;
      for (const std::optional<SetPlace>* archive : {&p->zip, &p->seven_zip}) {
        const ContainerDigest* d = *archive ? Digest(**archive) : nullptr;
        if (!d) continue;
        for (const MemberDigest& member : d->members) {
          if (!member.problem) continue;
          damaged_place_ = true;
          if (std::find(damaged_used_.begin(), damaged_used_.end(), &member) == damaged_used_.end())
            Note(FileName((*archive)->path) + ": " + member.name + ": " + member.problem);
        }
      }
    }
  }

  bool DamagedPlace() const { return damaged_place_; }
  bool UnreadPlace() const { return unread_place_; }

  // Other names a disk may have: an ancestor's disk with the same SHA-1.
  void SetDiskAliases(std::vector<std::string> aliases) { aliases_ = std::move(aliases); }

 private:
  std::vector<std::string> NamesFor(const ListedFile& f) {
    std::vector<std::string> names{f.name};
    if (f.disk)
      for (const std::string& a : aliases_)
        if (std::find(names.begin(), names.end(), a) == names.end()) names.push_back(a);
    return names;
  }

  const ContainerDigest* Digest(const SetPlace& place) {
    const ContainerDigest* d = digest_of_(place.path);
    if (d && !d->problem.empty()) {
      Note(FileName(place.path) + ": " + d->problem);
      if (d->problem == kZipDirectoryDamagedText || d->problem == kSevenZipDamagedText)
        damaged_place_ = true;
      else
        unread_place_ = true;  // locked, too big, of a form not known, or changed while read
    }
    return d && d->problem.empty() ? d : nullptr;
  }

  void Note(const std::string& text) {
    if (std::find(check_.notes.begin(), check_.notes.end(), text) == check_.notes.end()) check_.notes.push_back(text);
  }

  bool LookInFolder(const SetPlace& place, const ListedFile& f, const std::string& name, FileCheck& out) {
    const ContainerDigest* d = Digest(place);
    const MemberDigest* m = d ? SearchFolder(*d, name, f.disk) : nullptr;
    if (!m) return false;
    out.where = FileName(place.path) + "\\" + m->name;
    if (m->problem) {
      // MAME cannot read it either: for MAME the file is not there. A disk
      // that is no CHD is a missing disk; a file another program holds
      // locked could not be checked.
      out.problem = m->problem;
      out.mame_status = Judge(f, false, out.mame_found, false);
      if (m->problem == std::string_view(kCannotReadText)) {
        Note(out.where + ": " + kCannotReadText);
        unread_place_ = true;
        out.status = out.mame_status;
      } else if (f.disk) {
        out.status = out.mame_status;
      } else {
        damaged_used_.push_back(m);
        out.status = FileStatus::Damaged;
      }
      return true;
    }
    if (f.disk) {
      out.found = {0, 0, m->sha1, false, true};
    } else {
      out.found = {m->size, m->crc, m->sha1, true, true};
    }
    out.mame_found = out.found;
    out.mame_found.has_sha1 = f.disk;  // MAME takes only the CRC of a loose file
    out.status = Judge(f, true, out.found, true);
    out.mame_status = Judge(f, true, out.mame_found, false);
    return true;
  }

  bool LookInArchive(const SetPlace& place, const ListedFile& f, FileCheck& out) {
    const ContainerDigest* d = Digest(place);
    const MemberDigest* m = d ? SearchArchive(*d, f) : nullptr;
    if (!m) return false;
    out.where = FileName(place.path);
    // MAME takes the size and CRC the archive's directory states.
    out.mame_found = {m->stored_size, m->stored_crc, {}, true, false};
    out.mame_status = Judge(f, true, out.mame_found, false);
    if (m->problem) {
      damaged_used_.push_back(m);
      out.problem = m->problem;
      out.status = FileStatus::Damaged;
    } else {
      out.found = {m->size, m->crc, m->sha1, true, true};
      out.status = Judge(f, true, out.found, true);
    }
    return true;
  }

  const RomPlaces& places_;
  const DigestOf& digest_of_;
  SetCheck& check_;
  std::vector<std::string> aliases_;
  std::vector<const MemberDigest*> damaged_used_;
  bool damaged_place_ = false, unread_place_ = false;
};

std::vector<std::string> DiskAliases(const RomListing& listing, const std::vector<std::string>& path,
                                     const ListedFile& disk) {
  std::vector<std::string> names;
  if (!disk.has_sha1) return names;
  for (size_t i = 1; i < path.size(); ++i) {
    auto m = listing.find(path[i]);
    if (m == listing.end()) continue;
    for (const ListedFile& other : m->second.files)
      if (other.disk && other.has_sha1 && other.sha1 == disk.sha1 && other.name != disk.name)
        names.push_back(other.name);
  }
  return names;
}

bool IsGoodStatus(FileStatus s) {
  return s == FileStatus::Good || s == FileStatus::NeedsRedump || s == FileStatus::NoGoodDump;
}
bool IsInvalidStatus(FileStatus s) {
  return s == FileStatus::WrongLength || s == FileStatus::WrongChecksum || s == FileStatus::WrongSha1;
}

// MAME's summary of a set's files, for one view.
Verdict Summarize(const std::vector<FileCheck>& files, bool mame_view) {
  size_t required = 0, shared_required = 0, found = 0, shared_found = 0;
  for (const FileCheck& c : files) {
    const ListedFile& f = *c.file;
    FileStatus s = mame_view ? c.mame_status : c.status;
    bool dumped = !f.nodump, shared = !c.shared_with.empty();
    if (dumped && !f.optional) {
      ++required;
      if (shared) ++shared_required;
    }
    // A wrong file counts as found (the set is there, only bad), unless it
    // is another set's file under this one's name.
    const bool foreign = mame_view ? c.mame_found_is_shared : c.found_is_shared;
    if ((IsGoodStatus(s) && dumped) || (IsInvalidStatus(s) && !f.optional && !foreign)) {
      ++found;
      if (shared) ++shared_found;
    }
  }
  if (found == shared_found && required > 0 && (required != shared_required || shared_found == 0))
    return Verdict::NotFound;
  bool best = false, missing = false, size = false, crc = false, sha1 = false;
  for (const FileCheck& c : files) {
    switch (mame_view ? c.mame_status : c.status) {
      case FileStatus::Good: break;
      case FileStatus::NeedsRedump:
      case FileStatus::NoGoodDump:
      case FileStatus::NotFoundNoDump:
      case FileStatus::NotFoundOptional: best = true; break;
      case FileStatus::WrongLength: size = true; break;
      case FileStatus::WrongChecksum: crc = true; break;
      case FileStatus::WrongSha1: sha1 = true; break;
      default: missing = true;
    }
  }
  if (missing) return Verdict::MissingFiles;
  if (size) return Verdict::WrongSize;
  if (crc) return Verdict::WrongChecksum;
  if (sha1) return Verdict::WrongSha1;
  return best || files.empty() ? Verdict::BestAvailable : Verdict::Good;
}

}  // namespace

std::vector<std::string> SetsLookedIn(const RomListing& listing, const std::string& set) {
  std::vector<std::string> sets;
  auto add = [&](const std::string& s) {
    if (std::find(sets.begin(), sets.end(), s) == sets.end()) sets.push_back(s);
  };
  auto m = listing.find(set);
  if (m == listing.end()) return {set};
  for (const Need& need : Needs(listing, m->second))
    for (const std::string& s : need.path) add(s);
  for (const std::string& s : MachinePath(listing, set)) add(s);
  return sets;
}

std::vector<PlaceToRead> PlacesToRead(const RomListing& listing, const RomPlaces& places,
                                      const std::vector<std::string>& sets) {
  std::vector<PlaceToRead> out;
  std::map<std::string, size_t> index;  // path -> position in `out`
  auto place = [&](const SetPlace& p, PlaceKind kind) -> PlaceToRead& {
    auto [it, added] = index.emplace(p.path, out.size());
    if (added) out.push_back({p.path, kind, {}, {}});
    return out[it->second];
  };
  auto archives = [&](const SetPlaces& p) {
    if (p.zip) place(*p.zip, PlaceKind::Zip);
    if (p.seven_zip) place(*p.seven_zip, PlaceKind::SevenZip);
  };
  auto add_name = [](std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const std::string& set : sets) {
    auto m = listing.find(set);
    if (m == listing.end()) continue;
    for (const Need& need : Needs(listing, m->second)) {
      std::vector<std::string> names{need.file->name};
      if (need.file->disk)
        for (const std::string& a : DiskAliases(listing, need.path, *need.file)) add_name(names, a);
      for (const std::string& s : need.path)
        for (size_t folder = 0; folder < places.folders.size(); ++folder) {
          const SetPlaces* p = places.Find(folder, s);
          if (!p) continue;
          if (p->folder)
            for (const std::string& n : names) {
              PlaceToRead& loose = place(*p->folder, PlaceKind::Folder);
              add_name(need.file->disk ? loose.disks : loose.files, n);
            }
          if (!need.file->disk) archives(*p);
        }
    }
    // The set's own archives are read whole even when nothing is looked up in
    // them, so damage anywhere in them is seen.
    for (size_t folder = 0; folder < places.folders.size(); ++folder)
      if (const SetPlaces* p = places.Find(folder, set)) archives(*p);
  }
  return out;
}

SetCheck CheckSet(const RomListing& listing, const RomPlaces& places, const std::string& set,
                  const DigestOf& digest_of) {
  SetCheck check;
  check.set = set;
  auto m = listing.find(set);
  if (m == listing.end()) {
    check.verdict = check.mame_verdict = Verdict::Unknown;
    return check;
  }
  check.parent = m->second.romof;
  Looker looker(places, digest_of, check);
  for (const Need& need : Needs(listing, m->second)) {
    FileCheck c;
    c.file = need.file;
    c.shared_with = need.shared_with;
    looker.SetDiskAliases(need.file->disk ? DiskAliases(listing, need.path, *need.file) : std::vector<std::string>{});
    looker.Look(need, c);
    c.found_is_shared = IsInvalidStatus(c.status) && FoundIsShared(listing, need, c.found);
    c.mame_found_is_shared = IsInvalidStatus(c.mame_status) && FoundIsShared(listing, need, c.mame_found);
    check.files.push_back(std::move(c));
  }
  looker.LookOverOwnArchives(set);
  check.mame_verdict = Summarize(check.files, true);
  bool damaged = looker.DamagedPlace(), unread = looker.UnreadPlace();
  for (const FileCheck& c : check.files) damaged = damaged || c.status == FileStatus::Damaged;
  if (damaged)
    check.verdict = Verdict::ZipDamaged;
  else if (unread)
    check.verdict = Verdict::NotChecked;
  else
    check.verdict = Summarize(check.files, false);
  return check;
}

bool VerdictIsGood(Verdict verdict) { return verdict == Verdict::Good || verdict == Verdict::BestAvailable; }
