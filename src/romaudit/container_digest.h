// Reading one place a set's files can lie in: a zip or 7z archive (every
// member unpacked, its CRC-32 and SHA-1 taken from the data) or a folder of
// loose files. Only
// digests are kept, never the data, so memory stays small whatever the size.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "romcheck/mapped_file.h"
#include "romcheck/sha1.h"
#include "romcheck/zip_reader.h"

struct MemberDigest {
  std::string name;  // as stored in the archive, or as found in the folder
  bool folder = false;
  bool disk = false;  // a CHD file: only its header's SHA-1 is known
  // What the archive's directory says (the data's own values for loose files).
  uint64_t stored_size = 0;
  uint32_t stored_crc = 0;
  // What the data gave.
  uint64_t size = 0;
  uint32_t crc = 0;
  Sha1Digest sha1{};
  const char* problem = nullptr;  // why its data is unusable (zip checker wording), or null
};

struct ContainerDigest {
  std::string problem;  // the whole place could not be read: a sentence for the report, else ""
  std::vector<MemberDigest> members;
};

struct DigestControl {
  const std::atomic<bool>* cancel = nullptr;
  const std::atomic<bool>* halt = nullptr;  // the reader itself stops (what it read is not needed)
  std::atomic<uint64_t>* bytes = nullptr;  // grows as data is read
  bool spare_core = false;  // a core is idle: large members may hash on it
};

// A zip held open while its members are digested, possibly by several threads.
struct OpenZip {
  MappedFile file;
  std::vector<ZipEntry> entries;
  std::vector<bool> overlapping;
};

// Maps the zip and reads its directory into `digest.members` (sizes and CRCs
// as stored). False with `digest.problem` set when it cannot be used at all.
bool OpenZipForDigest(const std::string& path, OpenZip& zip, ContainerDigest& digest);
// Unpacks member `index` into its digest; false when cancelled on the way.
bool DigestZipMember(const OpenZip& zip, size_t index, MemberDigest& member, const DigestControl& control);

// Members up to this size can be unpacked whole, two at a time, and their
// SHA-1 taken together (Sha1::UpdateTwo): on the processor's SHA
// instructions that costs little more than one. Larger ones stream.
constexpr uint64_t kPairedMember = 16u << 20;
bool Pairable(const MemberDigest& member);
// A worker's room for two members' bytes, kept from pair to pair.
struct PairBuffers {
  std::vector<uint8_t> bytes[2];
};
// Unpacks member `a` of `zip_a` and member `b` of `zip_b` (both Pairable)
// into their digests; false when cancelled on the way.
bool DigestZipMembers(const OpenZip& zip_a, size_t a, MemberDigest& member_a, const OpenZip& zip_b, size_t b,
                      MemberDigest& member_b, const DigestControl& control, PairBuffers& buffers);
void CloseZip(OpenZip& zip);

// Reads a 7z archive whole into `digest`: its members as stored, each one
// unpacked (a solid block once for all its members). False when cancelled;
// `digest.problem` is set when the archive cannot be used at all.
bool DigestSevenZip(const std::string& path, ContainerDigest& digest, const DigestControl& control);

// The loose files of `files` that exist in the folder (matched without regard
// to case), and the CHD headers of `disks` (file names with ".chd"). False
// when cancelled.
bool DigestFolder(const std::string& folder, const std::vector<std::string>& files,
                  const std::vector<std::string>& disks, ContainerDigest& digest, const DigestControl& control);

// The SHA-1 a CHD file's header records for its contents (versions 3 to 5).
bool ReadChdSha1(const uint8_t* data, size_t size, Sha1Digest& sha1);

// Zips of this size and more need the zip64 format, which the reader does not know.
constexpr uint64_t kZip64Size = 0xFFFFFFFFull;
constexpr const char* kCannotReadText = "found, but it cannot be read (in use, or no access?)";
constexpr const char* kZip64Text = "4 GB or larger (a zip64 archive), which this check cannot read";
