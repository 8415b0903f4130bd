// Where each set's files can lie, as MAME looks for them: in every ROM folder
// in turn, a folder of loose files named after the set, a zip, or a 7z
// archive. Each ROM folder is listed once, whatever it holds.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/file_stamp.h"

struct SetPlace {
  std::string path;
  FileStamp stamp;
};

struct SetPlaces {
  std::optional<SetPlace> folder, zip, seven_zip;
};

struct RomPlaces {
  std::vector<std::string> folders;                                  // MAME's search order
  std::vector<std::unordered_map<std::string, SetPlaces>> by_folder;  // lower-case set name -> places
  std::vector<std::string> unreadable;                               // folders that could not be listed

  // The places of `set` in folder number `folder`, or null.
  const SetPlaces* Find(size_t folder, const std::string& set) const;
  // The first place of the set's own name (a folder, zip or 7z archive), or null.
  const SetPlace* FirstPlace(const std::string& set) const;
};

RomPlaces ListRomPlaces(const std::vector<std::string>& folders);

// A fingerprint of every place of `sets` (paths, sizes, times; for loose
// folders, their files): when it is unchanged, so is what a check would read.
uint64_t PlacesFingerprint(const RomPlaces& places, const std::vector<std::string>& sets);
