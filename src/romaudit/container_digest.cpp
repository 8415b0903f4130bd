#include "romaudit/container_digest.h"

#include <algorithm>
#include <unordered_map>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "romaudit/hash_pipe.h"
#include "romcheck/crc32.h"
#include "romcheck/seven_zip.h"

namespace {

// Members this large hash on an idle core while they unpack.
constexpr uint64_t kPipedMember = 2u << 20;

struct HashingSink {
  HashingSink(const DigestControl& c, uint64_t size) : sha(c.spare_core && size >= kPipedMember), control(&c) {}
  HashPipe sha;
  const DigestControl* control;
};

// Counts a piece read; false when the reading is to stop.
bool Counted(const DigestControl& c, size_t length) {
  if (c.bytes) c.bytes->fetch_add(length, std::memory_order_relaxed);
  return !(c.cancel && c.cancel->load(std::memory_order_relaxed)) && !(c.halt && c.halt->load(std::memory_order_relaxed));
}

bool TakePiece(void* context, const uint8_t* data, size_t length) {
  auto* sink = static_cast<HashingSink*>(context);
  sink->sha.Update(data, length);
  return Counted(*sink->control, length);
}

struct KeepingSink {
  std::vector<uint8_t>* bytes;
  const DigestControl* control;
};

bool KeepPiece(void* context, const uint8_t* data, size_t length) {
  auto* sink = static_cast<KeepingSink*>(context);
  sink->bytes->insert(sink->bytes->end(), data, data + length);
  return Counted(*sink->control, length);
}

uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

// A loose file read through a mapping, in pieces so a cancel is seen soon.
bool DigestLooseFile(const std::string& path, MemberDigest& member, const DigestControl& control) {
  MappedFile file;
  if (!MapFileForReading(path, file)) {
    member.problem = kCannotReadText;
    return true;
  }
  HashingSink sink(control, file.size);
  constexpr size_t kPiece = 1u << 20;
  bool going = true;
  uint32_t crc = 0;
  for (size_t at = 0; at < file.size && going;) {
    size_t n = file.size - at < kPiece ? file.size - at : kPiece;
    crc = Crc32(crc, file.data + at, n);
    going = TakePiece(&sink, file.data + at, n);
    at += n;
  }
  member.stored_size = member.size = file.size;
  member.stored_crc = member.crc = crc;
  member.sha1 = sink.sha.Finish();
  UnmapFile(file);
  return going;
}

}  // namespace

bool ReadChdSha1(const uint8_t* data, size_t size, Sha1Digest& sha1) {
  if (size < 16 || std::string_view(reinterpret_cast<const char*>(data), 8) != "MComprHD") return false;
  const uint32_t length = Be32(data + 8), version = Be32(data + 12);
  size_t at;
  if (version == 3 && length == 120)
    at = 80;
  else if (version == 4 && length == 108)
    at = 48;
  else if (version == 5 && length == 124)
    at = 84;
  else
    return false;
  if (size < length) return false;
  std::copy(data + at, data + at + 20, sha1.begin());
  return true;
}

bool OpenZipForDigest(const std::string& path, OpenZip& zip, ContainerDigest& digest) {
  if (!MapFileForReading(path, zip.file)) {
    digest.problem = kCannotReadText;
    return false;
  }
  if (zip.file.size >= kZip64Size) {
    digest.problem = kZip64Text;
    CloseZip(zip);
    return false;
  }
  // An empty zip is sound: it only holds nothing.
  if (ReadZipDirectory(zip.file.data, zip.file.size, zip.entries, 0xFFFF) < 0) {
    digest.problem = kZipDirectoryDamagedText;
    CloseZip(zip);
    return false;
  }
  zip.overlapping = FindOverlappingMembers(zip.file.data, zip.file.size, zip.entries);
  digest.members.resize(zip.entries.size());
  for (size_t i = 0; i < zip.entries.size(); ++i) {
    const ZipEntry& e = zip.entries[i];
    MemberDigest& m = digest.members[i];
    m.name = e.name;
    m.folder = !e.name.empty() && e.name.back() == '/';
    m.stored_size = e.uncompressed_size;
    m.stored_crc = e.crc;
  }
  return true;
}

bool DigestZipMember(const OpenZip& zip, size_t index, MemberDigest& member, const DigestControl& control) {
  if (member.folder) return true;
  HashingSink sink(control, member.stored_size);
  InflateSink hook{TakePiece, &sink};
  ZipMemberCheck check = CheckZipMember(zip.file.data, zip.file.size, zip.entries[index], zip.overlapping[index], &hook);
  if (check.stopped) return false;
  member.problem = check.problem;
  member.size = check.produced;
  member.crc = check.crc;
  member.sha1 = sink.sha.Finish();
  return true;
}

bool Pairable(const MemberDigest& member) { return !member.folder && member.stored_size <= kPairedMember; }

bool DigestZipMembers(const OpenZip& zip_a, size_t a, MemberDigest& member_a, const OpenZip& zip_b, size_t b,
                      MemberDigest& member_b, const DigestControl& control, PairBuffers& buffers) {
  const OpenZip* zips[2] = {&zip_a, &zip_b};
  const size_t index[2] = {a, b};
  MemberDigest* members[2] = {&member_a, &member_b};
  for (int k = 0; k < 2; ++k) {
    std::vector<uint8_t>& bytes = buffers.bytes[k];
    bytes.clear();
    bytes.reserve(static_cast<size_t>(members[k]->stored_size));
    KeepingSink sink{&bytes, &control};
    InflateSink hook{KeepPiece, &sink};
    const OpenZip& zip = *zips[k];
    ZipMemberCheck check =
        CheckZipMember(zip.file.data, zip.file.size, zip.entries[index[k]], zip.overlapping[index[k]], &hook);
    if (check.stopped) return false;
    members[k]->problem = check.problem;
    members[k]->size = check.produced;
    members[k]->crc = check.crc;
  }
  const std::vector<uint8_t>&first = buffers.bytes[0], &second = buffers.bytes[1];
  const size_t both = std::min(first.size(), second.size());
  Sha1 sha[2];
  Sha1::UpdateTwo(sha[0], first.data(), sha[1], second.data(), both);
  sha[0].Update(first.data() + both, first.size() - both);
  sha[1].Update(second.data() + both, second.size() - both);
  member_a.sha1 = sha[0].Finish();
  member_b.sha1 = sha[1].Finish();
  return true;
}

void CloseZip(OpenZip& zip) {
  UnmapFile(zip.file);
  zip.entries.clear();
  zip.overlapping.clear();
}

bool DigestSevenZip(const std::string& path, ContainerDigest& digest, const DigestControl& control) {
  MappedFile file;
  if (!MapFileForReading(path, file)) {
    digest.problem = kCannotReadText;
    return true;
  }
  SevenZipReader reader;
  bool going = true;
  if (reader.Open(file.data, file.size, digest.problem)) {
    digest.members.resize(reader.members().size());
    for (size_t i = 0; i < reader.members().size() && going; ++i) {
      const SevenZipMember& s = reader.members()[i];
      MemberDigest& m = digest.members[i];
      m.name = s.name;
      m.folder = s.folder;
      m.stored_size = s.size;
      m.stored_crc = s.crc;  // 0 when the archive states none, as MAME takes it
      if (m.folder) continue;
      HashingSink sink(control, s.size);
      InflateSink hook{TakePiece, &sink};
      ZipMemberCheck check = reader.CheckMember(i, &hook);
      going = !check.stopped;
      m.problem = check.problem;
      m.size = check.produced;
      m.crc = check.crc;
      m.sha1 = sink.sha.Finish();
    }
  }
  UnmapFile(file);
  return going;
}

bool DigestFolder(const std::string& folder, const std::vector<std::string>& files,
                  const std::vector<std::string>& disks, ContainerDigest& digest, const DigestControl& control) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder, entries)) {
    digest.problem = kCannotReadText;
    return true;
  }
  std::unordered_map<std::string, const FolderEntry*> by_name;
  for (const FolderEntry& e : entries)
    if (!e.is_folder) by_name.emplace(ToLowerAscii(e.name), &e);
  auto find = [&](const std::string& name) -> const FolderEntry* {
    auto it = by_name.find(ToLowerAscii(name));
    return it == by_name.end() ? nullptr : it->second;
  };
  for (const std::string& name : files) {
    const FolderEntry* e = find(name);
    if (!e) continue;
    MemberDigest m;
    m.name = e->name;
    if (!DigestLooseFile(JoinPath(folder, e->name), m, control)) return false;
    digest.members.push_back(std::move(m));
  }
  for (const std::string& name : disks) {
    const FolderEntry* e = find(name + ".chd");
    if (!e) continue;
    MemberDigest m;
    m.name = e->name;
    m.disk = true;
    MappedFile file;
    if (!MapFileForReading(JoinPath(folder, e->name), file))
      m.problem = kCannotReadText;
    else if (!ReadChdSha1(file.data, file.size, m.sha1))
      m.problem = "is not a CHD file MAME can read";
    UnmapFile(file);
    digest.members.push_back(std::move(m));
  }
  return true;
}
