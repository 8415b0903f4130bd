// Reading a 7z archive held in memory, as MAME reads ROM sets packed that way:
// its member list, and each member's bytes, checked as the zip reader checks
// a zip's. The decoding is the LZMA SDK's (LZMA and LZMA2, solid or not, with
// the branch filters); this is only a thin wrapper around it. A block of a
// solid archive unpacks as a whole, so the largest block decides the memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "romcheck/zip_reader.h"

struct SevenZipMember {
  std::string name;  // UTF-8, as stored
  uint64_t size = 0;
  uint32_t crc = 0;  // as the archive states it, when it states one
  bool has_crc = false;
  bool folder = false;
};

// Blocks that unpack to more are not unpacked (their members are not checked).
constexpr uint64_t kSevenZipLargestBlock = 1ull << 31;
constexpr const char* kSevenZipDamagedText = "the 7z archive is damaged or cut off (not a complete download?)";
constexpr const char* kSevenZipTooLargeText =
    "holds a solid block larger than 2 GB, which this check cannot unpack";

class SevenZipReader {
 public:
  SevenZipReader();
  ~SevenZipReader();
  SevenZipReader(const SevenZipReader&) = delete;
  SevenZipReader& operator=(const SevenZipReader&) = delete;

  // Reads the archive's directory; false with the reason when it cannot be
  // used at all. The bytes must stay valid while the reader is used.
  bool Open(const uint8_t* data, size_t size, std::string& problem, uint64_t largest_block = kSevenZipLargestBlock);
  const std::vector<SevenZipMember>& members() const { return members_; }

  // Unpacks member `index` (its block once, for the members after it in the
  // same block) and hands its bytes to `sink` in pieces; `problem` is null
  // when its data is sound (its CRC-32, where stated, matches).
  ZipMemberCheck CheckMember(size_t index, const InflateSink* sink = nullptr);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::vector<SevenZipMember> members_;
};

// The integrity check of a whole archive, with the zip check's result and
// wording: true when it holds at least one file and no problem.
bool CheckSevenZip(const uint8_t* data, size_t length, ZipCheck& result);
