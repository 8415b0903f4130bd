#include "romcheck/zip_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/text_util.h"
#include "romcheck/crc32.h"
#include "romcheck/inflate.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22, kCentralSize = 46, kLocalSize = 30;
constexpr size_t kLongestComment = 65535;

uint32_t Le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Where a member's data lies, from its local header; false when the header is
// outside the file or not a local header, or the data runs past the end.
bool LocateData(const uint8_t* data, size_t length, const ZipEntry& entry, size_t& start) {
  size_t at = entry.local_offset;
  if (at > length || length - at < kLocalSize) return false;
  const uint8_t* h = data + at;
  if (Le32(h) != kLocalSignature) return false;
  size_t begin = at + kLocalSize + Le16(h + 26) + Le16(h + 28);
  if (begin > length || entry.compressed_size > length - begin) return false;
  start = begin;
  return true;
}

// Code page 437, the zip format's code page for names without the UTF-8
// flag: bytes 0x80-0xFF.
constexpr uint16_t kCodePage437[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

void AddMemberProblem(ZipCheck& result, const ZipEntry& entry, const char* what) {
  AddZipProblem(result, ZipNameText(entry) + ": " + what);
}

}  // namespace

void AddZipProblem(ZipCheck& result, const std::string& text) {
  ++result.problem_count;
  if (result.problems.size() >= kZipProblemTexts) return;
  size_t cut = std::min(text.size(), kZipProblemBytes);
  // Do not leave half of a UTF-8 character at the end.
  if (cut < text.size())
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  result.problems.push_back(text.substr(0, cut));
}

std::string ZipNameText(const ZipEntry& entry) {
  if (entry.utf8_name) {
    const std::string& name = entry.name;
    size_t i = 0, good = 0;
    uint32_t cp = 0;
    while (i < name.size() && NextUtf8CodePoint(name, i, cp)) good = i;
    if (good == name.size()) return name;
    // The kept name may end inside a character (it is cut at 259 bytes).
    if (static_cast<unsigned char>(name[good]) >= 0xC0 && name.size() - good < 4) return name.substr(0, good);
    // Flagged, but not UTF-8 after all: read as the zip format's code page.
  }
  std::string text;
  text.reserve(entry.name.size() * 2);
  for (char c : entry.name) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80)
      text += c;
    else
      AppendUtf8(kCodePage437[b - 0x80], text);
  }
  return text;
}

std::vector<bool> FindOverlappingMembers(const uint8_t* data, size_t length, const std::vector<ZipEntry>& entries) {
  struct Span {
    size_t begin, end, index;
  };
  std::vector<Span> spans;
  spans.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t start;
    if (LocateData(data, length, entries[i], start))
      spans.push_back({entries[i].local_offset, start + entries[i].compressed_size, i});
  }
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.begin != b.begin ? a.begin < b.begin : a.index < b.index; });
  std::vector<bool> overlaps(entries.size(), false);
  size_t reach = 0;
  bool any = false;
  for (const Span& s : spans) {
    if (any && s.begin < reach) overlaps[s.index] = true;
    reach = std::max(reach, s.end);
    any = true;
  }
  return overlaps;
}

int ReadZipDirectory(const uint8_t* data, size_t length, std::vector<ZipEntry>& entries, size_t capacity) {
  entries.clear();
  if (length < kEndSize) return -1;
  size_t first = length - kEndSize;
  size_t last = length > kEndSize + kLongestComment ? length - kEndSize - kLongestComment : 0;
  size_t end_at = SIZE_MAX;
  for (size_t at = first + 1; at-- > last;) {
    if (Le32(data + at) == kEndSignature) {
      end_at = at;
      break;
    }
  }
  if (end_at == SIZE_MAX) return -1;
  const uint8_t* end = data + end_at;
  size_t count = Le16(end + 10);
  size_t offset = Le32(end + 16);
  if (offset > length) return -1;
  if (count == 0) return 0;

  size_t at = offset;
  for (size_t i = 0; i < count; ++i) {
    if (length - at < kCentralSize) return -1;
    const uint8_t* h = data + at;
    if (Le32(h) != kCentralSignature) return -1;
    size_t name_len = Le16(h + 28);
    size_t rest = name_len + Le16(h + 30) + Le16(h + 32);
    if (length - at - kCentralSize < rest) return -1;
    if (i < capacity) {
      ZipEntry e;
      const char* name = reinterpret_cast<const char*>(h + kCentralSize);
      size_t kept = std::min(name_len, kZipNameBytes);
      e.name.assign(name, std::find(name, name + kept, '\0'));
      e.utf8_name = (Le16(h + 8) & 0x0800) != 0;
      e.method = Le16(h + 10);
      e.crc = Le32(h + 16);
      e.compressed_size = Le32(h + 20);
      e.uncompressed_size = Le32(h + 24);
      e.local_offset = Le32(h + 42);
      entries.push_back(std::move(e));
    }
    at += kCentralSize + rest;
  }
  return static_cast<int>(count);
}

bool ExtractZipMember(const uint8_t* data, size_t length, const ZipEntry& entry, uint8_t* output) {
  size_t start;
  if (!LocateData(data, length, entry, start)) return false;
  uint32_t crc;
  if (entry.method == 8) {
    InflateResult r;
    if (Inflate(data + start, entry.compressed_size, output, entry.uncompressed_size, r, entry.uncompressed_size) !=
        kInflateOk)
      return false;
    if (r.produced != entry.uncompressed_size) return false;
    crc = r.crc;
  } else if (entry.method == 0 && entry.compressed_size == entry.uncompressed_size) {
    if (entry.uncompressed_size) std::memcpy(output, data + start, entry.uncompressed_size);
    crc = Crc32(0, data + start, entry.uncompressed_size);
  } else {
    return false;
  }
  return crc == entry.crc;
}

ZipMemberCheck CheckZipMember(const uint8_t* data, size_t length, const ZipEntry& e, bool overlapping,
                              const InflateSink* sink) {
  ZipMemberCheck check;
  size_t start;
  if (!LocateData(data, length, e, start) || overlapping) {
    check.problem = "its data is missing (the zip is cut off or damaged)";
    return check;
  }
  if (e.method == 8) {
    InflateResult r;
    int status = Inflate(data + start, e.compressed_size, nullptr, 0, r, e.uncompressed_size, sink);
    check.crc = r.crc;
    check.produced = r.produced;
    if (status == kInflateStopped) {
      check.stopped = true;
      check.problem = "";
    } else if (status == kInflateError) {
      check.problem = "cannot be unpacked (the file is corrupt)";
    } else if (status == kInflateOverLimit || r.produced != e.uncompressed_size) {
      check.problem = "has the wrong size (the file is corrupt)";
    }
  } else if (e.method == 0) {
    if (e.compressed_size != e.uncompressed_size) {
      check.problem = "has the wrong size (the file is corrupt)";
      return check;
    }
    // In pieces, so a sink sees the same sizes as from the inflater.
    constexpr size_t kPiece = 1u << 20;
    const uint8_t* p = data + start;
    for (size_t left = e.compressed_size; left;) {
      size_t n = left < kPiece ? left : kPiece;
      check.crc = Crc32(check.crc, p, n);
      if (sink && !sink->take(sink->context, p, n)) {
        check.stopped = true;
        check.problem = "";
        return check;
      }
      p += n;
      left -= n;
    }
    check.produced = e.compressed_size;
  } else {
    check.problem = "uses a compression method this check does not know";
  }
  if (!check.problem && check.crc != e.crc) check.problem = "wrong checksum (the file is corrupt)";
  return check;
}

bool CheckZip(const uint8_t* data, size_t length, ZipCheck& result, size_t max_entries) {
  result = ZipCheck();
  if (length < kEndSize) {
    AddZipProblem(result, "the file is too small to be a zip");
    return false;
  }
  std::vector<ZipEntry> entries;
  try {
    entries.reserve(max_entries);
  } catch (const std::bad_alloc&) {
    AddZipProblem(result, "not enough memory to check the file");
    return false;
  }
  int announced = ReadZipDirectory(data, length, entries, max_entries);
  if (announced < 0) {
    AddZipProblem(result, kZipDirectoryDamagedText);
    return false;
  }
  if (announced == 0) {
    AddZipProblem(result, kZipNoFilesText);
    return false;
  }
  if (static_cast<size_t>(announced) > max_entries) AddZipProblem(result, "too many files in the zip to check them all");

  std::vector<bool> overlapping = FindOverlappingMembers(data, length, entries);
  for (size_t i = 0; i < entries.size(); ++i) {
    const ZipEntry& e = entries[i];
    result.total_bytes += e.uncompressed_size;
    if (!e.name.empty() && e.name.back() == '/') continue;  // a folder
    ++result.files;
    ZipMemberCheck member = CheckZipMember(data, length, e, overlapping[i]);
    if (member.problem) AddMemberProblem(result, e, member.problem);
  }
  if (result.files == 0) {
    if (result.problem_count == 0) AddZipProblem(result, kZipNoFilesText);
    return false;
  }
  return result.problem_count == 0;
}
