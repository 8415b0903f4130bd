// What MAME's -listxml says each machine needs on disk: its ROM files and
// disks with sizes and checksums, the machine whose files it shares (romof),
// and the devices it is built from, whose own ROMs it needs too.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "romcheck/sha1.h"

struct ListedFile {
  std::string name;
  std::string region;  // MAME checks files region by region
  uint64_t size = 0;   // 0 for a disk
  uint32_t crc = 0;
  Sha1Digest sha1{};
  bool has_crc = false, has_sha1 = false;
  bool disk = false;
  bool nodump = false;   // no good dump is known: no checksums
  bool baddump = false;  // the known dump is bad, but it is the one to have
  bool optional = false;
};

// One line of MAME's -listroms answer: a file it checks (a disk has no size).
struct CheckedName {
  std::string name;
  uint64_t size = 0;
  bool disk = false;
};

struct ListedMachine {
  std::string name;
  std::string romof;  // the parent or BIOS set whose files this one shares, or ""
  bool is_device = false;
  std::vector<ListedFile> files;     // region by region, disks last
  std::vector<std::string> devices;  // device_ref names, in MAME's order (repeats kept)
  // Every file the machine's check looks at, its devices' included, in the
  // order MAME checks them (from -listroms); empty when not known.
  std::vector<CheckedName> checking_order;
};

using RomListing = std::unordered_map<std::string, ListedMachine>;

// Adds every machine element of a -listxml answer to `listing` and returns
// how many it read. Broken or unexpected text is skipped, never fatal.
size_t ParseRomListing(std::string_view xml, RomListing& listing);

// Takes the order MAME checks each machine's files in from a -listroms
// answer (the listing prints a machine's files in another order: its BIOS
// choices first, its disks last, and its devices apart). Returns how many
// machines of `listing` it ordered.
size_t ParseCheckingOrder(std::string_view listroms, RomListing& listing);

// The argument texts that ask MAME about `sets` (plain set names only; with
// none, MAME would list every machine it knows, so callers ask only with some).
std::string ListXmlArguments(const std::vector<std::string>& sets);
std::string ListRomsArguments(const std::vector<std::string>& sets);
