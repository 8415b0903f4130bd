#include "romaudit/rom_places.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"

namespace {

bool EndsWith(const std::string& text, std::string_view ending) {
  return text.size() > ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

struct Fnv {
  uint64_t h = 1469598103934665603ull;
  void Add(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  }
  void Add(const std::string& text) { Add(text.data(), text.size() + 1); }
  void Add(uint64_t v) { Add(&v, sizeof v); }
};

void AddPlace(Fnv& f, const std::optional<SetPlace>& place) {
  if (!place) return f.Add(uint64_t{0});
  f.Add(place->path);
  f.Add(place->stamp.size);
  f.Add(place->stamp.write_time);
}

}  // namespace

const SetPlaces* RomPlaces::Find(size_t folder, const std::string& set) const {
  if (folder >= by_folder.size()) return nullptr;
  auto it = by_folder[folder].find(ToLowerAscii(set));
  return it == by_folder[folder].end() ? nullptr : &it->second;
}

const SetPlace* RomPlaces::FirstPlace(const std::string& set) const {
  for (size_t f = 0; f < folders.size(); ++f) {
    const SetPlaces* p = Find(f, set);
    if (!p) continue;
    if (p->folder) return &*p->folder;
    if (p->zip) return &*p->zip;
    if (p->seven_zip) return &*p->seven_zip;
  }
  return nullptr;
}

RomPlaces ListRomPlaces(const std::vector<std::string>& folders) {
  RomPlaces places;
  places.folders = folders;
  places.by_folder.resize(folders.size());
  std::vector<FolderEntry> entries;
  for (size_t f = 0; f < folders.size(); ++f) {
    entries.clear();
    if (!ListFolder(folders[f], entries)) {
      places.unreadable.push_back(folders[f]);
      continue;
    }
    auto& map = places.by_folder[f];
    map.reserve(entries.size());
    for (const FolderEntry& e : entries) {
      std::string lower = ToLowerAscii(e.name);
      SetPlace place{JoinPath(folders[f], e.name), FileStamp{e.size, e.write_time}};
      if (e.is_folder)
        map[lower].folder = std::move(place);
      else if (EndsWith(lower, ".zip"))
        map[lower.substr(0, lower.size() - 4)].zip = std::move(place);
      else if (EndsWith(lower, ".7z"))
        map[lower.substr(0, lower.size() - 3)].seven_zip = std::move(place);
    }
  }
  return places;
}

uint64_t PlacesFingerprint(const RomPlaces& places, const std::vector<std::string>& sets) {
  Fnv f;
  std::vector<FolderEntry> entries;
  for (const std::string& set : sets) {
    f.Add(set);
    for (size_t folder = 0; folder < places.folders.size(); ++folder) {
      f.Add(places.folders[folder]);
      const SetPlaces* p = places.Find(folder, set);
      if (!p) continue;
      AddPlace(f, p->folder);
      AddPlace(f, p->zip);
      AddPlace(f, p->seven_zip);
      // A loose file changed in place leaves its folder's own time alone.
      entries.clear();
      if (p->folder && ListFolder(p->folder->path, entries))
        for (const FolderEntry& e : entries) {
          f.Add(e.name);
          f.Add(uint64_t{e.size});
          f.Add(uint64_t{e.write_time});
        }
    }
  }
  return f.h;
}
