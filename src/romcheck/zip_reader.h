// A small zip reader: the central directory, unpacking one member, and a full
// integrity check of a zip held in memory. Stored and deflated members only;
// no zip64, encryption or data descriptors. Every fault is a result.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "romcheck/inflate.h"

constexpr size_t kZipMaxEntries = 4096;  // members held and checked
constexpr size_t kZipNameBytes = 259;    // longest name kept
constexpr size_t kZipProblemTexts = 12;  // problem texts kept (more are only counted)
constexpr size_t kZipProblemBytes = 199; // longest problem text kept
constexpr const char* kZipDirectoryDamagedText =
    "the zip directory is damaged or the file is cut off (not a complete download?)";
constexpr const char* kZipNoFilesText = "the zip contains no files";

struct ZipEntry {
  std::string name;  // as stored (bytes, no conversion), cut at 259 bytes or a NUL
  uint32_t compressed_size = 0;
  uint32_t uncompressed_size = 0;
  uint32_t crc = 0;
  uint32_t method = 0;  // 0 stored, 8 deflate
  uint32_t local_offset = 0;
  bool utf8_name = false;  // flag bit 11; without it the name is in code page 437
};

// The number of entries the end record announces (may exceed `capacity`; only
// the first `capacity` are put into `entries`), 0 for an empty zip, -1 when the
// directory is damaged or missing.
int ReadZipDirectory(const uint8_t* data, size_t length, std::vector<ZipEntry>& entries, size_t capacity);

// A member's name as UTF-8 text for a report: as stored when it carries the
// UTF-8 flag (and is UTF-8), otherwise read as code page 437.
std::string ZipNameText(const ZipEntry& entry);

// Unpacks one member into `output`, which holds entry.uncompressed_size bytes.
// True only when its local header is sound, its data lies inside the file, it
// is stored (with equal sizes) or deflated, and size and CRC-32 match.
bool ExtractZipMember(const uint8_t* data, size_t length, const ZipEntry& entry, uint8_t* output);

// Members whose bytes overlap an earlier member's cannot come from a real zip
// tool: they are how "zip bombs" make a small file unpack to terabytes. They
// count as damaged and are never unpacked.
std::vector<bool> FindOverlappingMembers(const uint8_t* data, size_t length, const std::vector<ZipEntry>& entries);

// What unpacking one member found; `problem` is null when its data is sound
// (its size and CRC-32 match the directory), else the fault's wording, to
// follow the member's name and ": ". `stopped` when the sink asked to stop.
struct ZipMemberCheck {
  const char* problem = nullptr;
  bool stopped = false;
  uint32_t crc = 0;       // of the data produced, when it could be unpacked
  uint64_t produced = 0;
};
// Unpacks (or reads, when stored) one member, handing its bytes to `sink`
// when one is given. The member's output never exceeds its directory size.
ZipMemberCheck CheckZipMember(const uint8_t* data, size_t length, const ZipEntry& entry, bool overlapping,
                              const InflateSink* sink = nullptr);

struct ZipCheck {
  uint32_t files = 0;          // members checked, folders not counted
  uint32_t total_bytes = 0;    // uncompressed sizes of all members looked at, wrapping
  uint32_t problem_count = 0;  // may exceed the texts kept
  std::vector<std::string> problems;
};

// Counts a problem and keeps its text while fewer than 12 are kept (cut to
// 199 bytes, never inside a character).
void AddZipProblem(ZipCheck& result, const std::string& text);

// Checks every member; true when the zip holds at least one file and no
// problem. More than `max_entries` members is a problem of its own.
bool CheckZip(const uint8_t* data, size_t length, ZipCheck& result, size_t max_entries = kZipMaxEntries);
