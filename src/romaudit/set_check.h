// One set judged as MAME's -verifyroms judges it: every file the listing
// names, looked for along the same search path (the set, the sets whose files
// it shares, its devices) in every ROM folder, found by name or by CRC, and
// weighed by the same rules. Korvo's own view adds what MAME does not look
// at: whether an archive member's data matches its stored CRC, and the SHA-1.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "romaudit/container_digest.h"
#include "romaudit/rom_listing.h"
#include "romaudit/rom_places.h"

enum class FileStatus : uint8_t {
  Good,
  NeedsRedump,       // a known bad dump, as it should be
  NoGoodDump,        // found, but nobody has a good dump to compare with
  NotFound,
  NotFoundNoDump,
  NotFoundOptional,
  WrongLength,
  WrongChecksum,
  WrongSha1,         // right CRC-32, wrong SHA-1 (never MAME's view)
  Damaged,           // the archive member's data is unusable (never MAME's view)
};

enum class Verdict : uint8_t {
  Good,
  BestAvailable,  // good, with files no good dump is known of
  MissingFiles,
  WrongSize,
  WrongChecksum,
  WrongSha1,
  ZipDamaged,
  NotFound,       // none of the set's own files is there
  Unknown,        // MAME does not know the set
  NotChecked,     // a place could not be read, or changed while it was: read again next time
};

struct FoundValues {
  uint64_t size = 0;
  uint32_t crc = 0;
  Sha1Digest sha1{};
  bool has_crc = false, has_sha1 = false;
};

struct FileCheck {
  const ListedFile* file = nullptr;  // valid while the listing is
  std::string shared_with;           // the parent, BIOS or device whose file this is, or ""
  FileStatus status = FileStatus::NotFound;       // Korvo's view
  FileStatus mame_status = FileStatus::NotFound;  // what MAME sees (a zip's stored CRC and size)
  FoundValues found, mame_found;
  std::string where;    // the place it was found in ("sfex2.zip"), or ""
  std::string problem;  // why its data is unusable: for Damaged, or a disk MAME cannot open
  // What was found is another set's file (the parent's or BIOS's data under
  // this file's name): MAME does not count it as the set's own. Per view.
  bool found_is_shared = false, mame_found_is_shared = false;
};

struct SetCheck {
  std::string set;
  std::string parent;  // the set it shares files with, shown in brackets, or ""
  std::vector<FileCheck> files;
  std::vector<std::string> notes;  // places that could not be used, one sentence each
  Verdict verdict = Verdict::NotChecked;
  Verdict mame_verdict = Verdict::NotChecked;
};

// The set names whose places a check of `set` reads, its own first.
std::vector<std::string> SetsLookedIn(const RomListing& listing, const std::string& set);

// What to read in one place for the sets given: for a zip or 7z archive every
// member, for a loose folder only the files and disks that may be looked up there.
enum class PlaceKind : uint8_t { Folder, Zip, SevenZip };
struct PlaceToRead {
  std::string path;
  PlaceKind kind = PlaceKind::Folder;
  std::vector<std::string> files, disks;  // loose folders only
};
std::vector<PlaceToRead> PlacesToRead(const RomListing& listing, const RomPlaces& places,
                                      const std::vector<std::string>& sets);

// The digest of a place read before, by its path (null when it was not read).
using DigestOf = std::function<const ContainerDigest*(const std::string& path)>;

SetCheck CheckSet(const RomListing& listing, const RomPlaces& places, const std::string& set, const DigestOf& digest_of);

// "good" or "bad" as MAME's last line has it, for either view.
bool VerdictIsGood(Verdict verdict);
