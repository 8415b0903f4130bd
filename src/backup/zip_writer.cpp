#include "backup/zip_writer.h"

#include <new>

#include "romcheck/crc32.h"

namespace {

constexpr uint16_t kDate1980 = 0x0021;  // 1 January 1980; the time is 0
constexpr uint64_t kLimit32 = 0xFFFFFFFFu;

void Put16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// Room like the zip format's own buffers: 4096 bytes to begin with, doubled
// until the need fits.
void Reserve(std::string& s, size_t need) {
  if (s.capacity() >= need) return;
  size_t cap = s.capacity() < 4096 ? 4096 : s.capacity();
  while (cap < need) cap *= 2;
  s.reserve(cap);
}

}  // namespace

void StartZip(ZipWriter& zip) { ReleaseZip(zip); }

ZipAdd AddZipMember(ZipWriter& zip, const std::string& name, const std::string& data) {
  const uint32_t max_members = zip.limits.members < 0xFFFF ? zip.limits.members : 0xFFFF;
  const uint64_t max_bytes = zip.limits.bytes < kLimit32 ? zip.limits.bytes : kLimit32;
  if (zip.count >= max_members || name.size() > 0xFFFF) return ZipAdd::kDoesNotFit;
  uint64_t local_size = 30 + name.size() + data.size();
  uint64_t central_size = 46 + name.size();
  // Everything, including the end record, must stay addressable with 32 bits.
  if (zip.output.size() + local_size + zip.central.size() + central_size + 22 > max_bytes) return ZipAdd::kDoesNotFit;
  // Member names are UTF-8; without the flag other tools read them as code page 437.
  bool ascii = true;
  for (char ch : name) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
  const uint32_t flags = ascii ? 0 : 0x0800;
  uint32_t crc = Crc32(0, data.data(), data.size());
  uint32_t offset = static_cast<uint32_t>(zip.output.size());
  uint32_t size = static_cast<uint32_t>(data.size());
  uint32_t name_len = static_cast<uint32_t>(name.size());
  try {
    Reserve(zip.output, zip.output.size() + local_size);
    Reserve(zip.central, zip.central.size() + central_size);
  } catch (const std::bad_alloc&) {
    return ZipAdd::kNoMemory;
  }
  std::string& o = zip.output;
  Put32(o, 0x04034b50);
  Put16(o, 10), Put16(o, flags), Put16(o, 0), Put16(o, 0), Put16(o, kDate1980);
  Put32(o, crc), Put32(o, size), Put32(o, size);
  Put16(o, name_len), Put16(o, 0);
  o += name;
  o += data;
  std::string& c = zip.central;
  Put32(c, 0x02014b50);
  Put16(c, 20), Put16(c, 10), Put16(c, flags), Put16(c, 0), Put16(c, 0), Put16(c, kDate1980);
  Put32(c, crc), Put32(c, size), Put32(c, size);
  Put16(c, name_len), Put16(c, 0), Put16(c, 0), Put16(c, 0), Put16(c, 0);
  Put32(c, 0), Put32(c, offset);
  c += name;
  ++zip.count;
  return ZipAdd::kAdded;
}

bool FinishZip(ZipWriter& zip) {
  uint32_t dir_offset = static_cast<uint32_t>(zip.output.size());
  uint32_t dir_size = static_cast<uint32_t>(zip.central.size());
  try {
    Reserve(zip.output, zip.output.size() + zip.central.size() + 22);
  } catch (const std::bad_alloc&) {
    return false;
  }
  zip.output += zip.central;
  std::string& o = zip.output;
  Put32(o, 0x06054b50);
  Put16(o, 0), Put16(o, 0), Put16(o, zip.count), Put16(o, zip.count);
  Put32(o, dir_size), Put32(o, dir_offset);
  Put16(o, 0);
  std::string().swap(zip.central);
  return true;
}

void ReleaseZip(ZipWriter& zip) {
  std::string().swap(zip.output);
  std::string().swap(zip.central);
  zip.count = 0;
}
