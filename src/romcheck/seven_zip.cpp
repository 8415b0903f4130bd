#include "romcheck/seven_zip.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "7z.h"
#include "7zCrc.h"
#include "base/text_util.h"
#include "romcheck/crc32.h"

namespace {

// The decoder's allocations, refused above a limit so that a damaged or
// hostile header cannot ask for more memory than a real block would need.
struct CappedAlloc {
  ISzAlloc vt;
  uint64_t largest;
};

void* AllocCapped(ISzAllocPtr p, size_t size) {
  const auto* self = reinterpret_cast<const CappedAlloc*>(p);
  if (size == 0 || size > self->largest) return nullptr;
  return std::malloc(size);
}
void FreeCapped(ISzAllocPtr, void* address) { std::free(address); }

// The archive's bytes as the decoder's input stream: looked at in place.
struct MemoryStream {
  ILookInStream vt;
  const uint8_t* data;
  size_t size, pos;
};

MemoryStream* StreamOf(ILookInStreamPtr p) { return reinterpret_cast<MemoryStream*>(const_cast<ILookInStream*>(p)); }

SRes Look(ILookInStreamPtr p, const void** buf, size_t* size) {
  MemoryStream* s = StreamOf(p);
  size_t left = s->size - s->pos;
  if (*size > left) *size = left;
  *buf = s->data + s->pos;
  return SZ_OK;
}

SRes Skip(ILookInStreamPtr p, size_t offset) {
  MemoryStream* s = StreamOf(p);
  if (offset > s->size - s->pos) return SZ_ERROR_INPUT_EOF;
  s->pos += offset;
  return SZ_OK;
}

SRes Read(ILookInStreamPtr p, void* buf, size_t* size) {
  MemoryStream* s = StreamOf(p);
  size_t left = s->size - s->pos;
  if (*size > left) *size = left;
  if (*size) std::memcpy(buf, s->data + s->pos, *size);
  s->pos += *size;
  return SZ_OK;
}

SRes Seek(ILookInStreamPtr p, Int64* pos, ESzSeek origin) {
  MemoryStream* s = StreamOf(p);
  Int64 base = origin == SZ_SEEK_SET ? 0 : origin == SZ_SEEK_CUR ? static_cast<Int64>(s->pos) : static_cast<Int64>(s->size);
  Int64 to = base + *pos;
  if (to < 0 || static_cast<uint64_t>(to) > s->size) return SZ_ERROR_READ;
  s->pos = static_cast<size_t>(to);
  *pos = to;
  return SZ_OK;
}

void PrepareCrcTable() {
  static std::once_flag once;
  std::call_once(once, [] { CrcGenerateTable(); });
}

// UTF-16 (as the archive stores names) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8Name(const std::vector<UInt16>& units) {
  std::string name;
  for (size_t i = 0; i < units.size() && units[i]; ++i) {
    uint32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = 0xFFFD;
    AppendUtf8(c, name);
  }
  return name;
}

const char* BlockProblem(SRes result) {
  switch (result) {
    case SZ_ERROR_UNSUPPORTED: return "uses a compression method this check does not know";
    case SZ_ERROR_MEM: return "not enough memory to check the file";
    default: return "cannot be unpacked (the file is corrupt)";
  }
}

}  // namespace

struct SevenZipReader::Impl {
  CappedAlloc alloc{{AllocCapped, FreeCapped}, 0};
  MemoryStream stream{{Look, Skip, Read, Seek}, nullptr, 0, 0};
  CSzArEx db;
  bool opened = false;
  // The last block unpacked, for the members after the first of it.
  UInt32 block = UINT32_MAX;
  std::vector<uint8_t> unpacked;
  SRes block_result = SZ_OK;

  Impl() { SzArEx_Init(&db); }
  ~Impl() {
    if (opened) SzArEx_Free(&db, &alloc.vt);
  }
};

SevenZipReader::SevenZipReader() : impl_(std::make_unique<Impl>()) {}
SevenZipReader::~SevenZipReader() = default;

bool SevenZipReader::Open(const uint8_t* data, size_t size, std::string& problem, uint64_t largest_block) {
  PrepareCrcTable();
  impl_ = std::make_unique<Impl>();
  members_.clear();
  Impl& m = *impl_;
  m.alloc.largest = largest_block;
  m.stream.data = data;
  m.stream.size = size;
  SRes result = SzArEx_Open(&m.db, &m.stream.vt, &m.alloc.vt, &m.alloc.vt);
  if (result != SZ_OK) {
    // Opening frees what it took on failure.
    SzArEx_Init(&m.db);
    problem = result == SZ_ERROR_UNSUPPORTED ? "the 7z archive uses a form this check does not know"
              : result == SZ_ERROR_MEM       ? kSevenZipTooLargeText
                                             : kSevenZipDamagedText;
    return false;
  }
  m.opened = true;
  for (UInt32 f = 0; f < m.db.db.NumFolders; ++f)
    if (SzAr_GetFolderUnpackSize(&m.db.db, f) > largest_block) {
      problem = kSevenZipTooLargeText;
      return false;
    }
  std::vector<UInt16> name;
  members_.resize(m.db.NumFiles);
  for (UInt32 i = 0; i < m.db.NumFiles; ++i) {
    SevenZipMember& member = members_[i];
    name.assign(SzArEx_GetFileNameUtf16(&m.db, i, nullptr), 0);
    SzArEx_GetFileNameUtf16(&m.db, i, name.data());
    member.name = Utf8Name(name);
    member.folder = SzArEx_IsDir(&m.db, i);
    member.size = SzArEx_GetFileSize(&m.db, i);
    member.has_crc = SzBitWithVals_Check(&m.db.CRCs, i);
    if (member.has_crc) member.crc = m.db.CRCs.Vals[i];
  }
  return true;
}

ZipMemberCheck SevenZipReader::CheckMember(size_t index, const InflateSink* sink) {
  ZipMemberCheck check;
  Impl& m = *impl_;
  if (!m.opened || index >= members_.size() || members_[index].folder) return check;
  const UInt32 block = m.db.FileToFolder[index];
  const uint8_t* bytes = nullptr;
  size_t length = static_cast<size_t>(members_[index].size);
  if (block != UINT32_MAX) {  // an empty file has no block
    if (block != m.block) {
      m.block = block;
      m.unpacked.clear();
      m.block_result = SZ_ERROR_MEM;
      const uint64_t size = SzAr_GetFolderUnpackSize(&m.db.db, block);
      if (size <= m.alloc.largest) {
        try {
          m.unpacked.resize(static_cast<size_t>(size));
          m.stream.pos = 0;
          m.block_result = SzAr_DecodeFolder(&m.db.db, block, &m.stream.vt, m.db.dataPos, m.unpacked.data(),
                                             m.unpacked.size(), &m.alloc.vt);
        } catch (const std::bad_alloc&) {
        }
      }
    }
    // A block whose own checksum fails still unpacked: its members' checksums tell which is wrong.
    if (m.block_result != SZ_OK && m.block_result != SZ_ERROR_CRC) {
      check.problem = BlockProblem(m.block_result);
      return check;
    }
    const uint64_t offset = m.db.UnpackPositions[index] - m.db.UnpackPositions[m.db.FolderToFile[block]];
    if (offset > m.unpacked.size() || length > m.unpacked.size() - offset) {
      check.problem = "its data is missing (the archive is cut off or damaged)";
      return check;
    }
    bytes = m.unpacked.data() + offset;
  }
  constexpr size_t kPiece = 1u << 20;
  for (size_t at = 0; at < length;) {
    size_t n = length - at < kPiece ? length - at : kPiece;
    check.crc = Crc32(check.crc, bytes + at, n);
    if (sink && !sink->take(sink->context, bytes + at, n)) {
      check.stopped = true;
      check.problem = "";
      return check;
    }
    at += n;
  }
  check.produced = length;
  if (members_[index].has_crc && check.crc != members_[index].crc) check.problem = "wrong checksum (the file is corrupt)";
  return check;
}

bool CheckSevenZip(const uint8_t* data, size_t length, ZipCheck& result) {
  result = ZipCheck();
  SevenZipReader reader;
  std::string problem;
  if (!reader.Open(data, length, problem)) {
    AddZipProblem(result, problem);
    return false;
  }
  for (size_t i = 0; i < reader.members().size(); ++i) {
    const SevenZipMember& member = reader.members()[i];
    result.total_bytes += static_cast<uint32_t>(member.size);
    if (member.folder) continue;
    ++result.files;
    ZipMemberCheck check = reader.CheckMember(i);
    if (check.problem) AddZipProblem(result, member.name + ": " + check.problem);
  }
  if (result.files == 0 && result.problem_count == 0) AddZipProblem(result, "the 7z archive contains no files");
  return result.files > 0 && result.problem_count == 0;
}
