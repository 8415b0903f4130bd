// A made-up ROM collection laid out from MAME's -listxml, each file forged to its listed CRC-32 (which MAME trusts) or
// damaged in one chosen way: for the agreement test against MAME 0.251 and the audit benchmark.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "romaudit/rom_listing.h"
#include "romcheck/zip_test_util.h"

namespace scratch {

constexpr const char* kMame = "/usr/games/mame";

inline bool HaveMame() { return std::system((std::string("test -x ") + kMame).c_str()) == 0; }

// What the real MAME prints on standard output, run in `work`, away from the user's folders.
inline std::string RunMame(const std::string& work, const std::string& args, int* exit_code = nullptr) {
  std::string out = work + "/mame-out.txt";
  int rc = std::system(("cd '" + work + "' && " + kMame + " " + args + " -homepath '" + work + "' -noreadconfig >'" +
                        out + "' 2>/dev/null").c_str());
  if (exit_code) *exit_code = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  std::stringstream text;
  text << std::ifstream(out, std::ios::binary).rdbuf();
  return text.str();
}

inline std::string RandomBytes(size_t size, uint64_t seed) {
  std::string data(size, '\0');
  uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
  for (size_t i = 0; i < size; i += 8) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    for (size_t k = 0; k < 8 && i + k < size; ++k) data[i + k] = static_cast<char>(x >> (8 * k));
  }
  return data;
}

// Changes the last four bytes so that the CRC-32 of the whole is `crc`.
inline std::string ForgeCrc(std::string data, uint32_t crc) {
  if (data.size() < 4) return data;
  const z_crc_t* table = get_crc_table();
  uint8_t by_top[256];  // the top bytes of the table's entries are all different
  for (uint32_t i = 0; i < 256; ++i) by_top[table[i] >> 24] = static_cast<uint8_t>(i);
  // The last four table indices fix the register alone; walk back to them.
  uint8_t index[4];
  uint32_t r = ~crc;
  for (int j = 3; j >= 0; --j) {
    index[j] = by_top[r >> 24];
    r = (r ^ table[index[j]]) << 8;
  }
  size_t body = data.size() - 4;
  uint32_t s = ~static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(body)));
  for (int j = 0; j < 4; ++j) {
    data[body + j] = static_cast<char>((s ^ index[j]) & 0xFF);
    s = (s >> 8) ^ table[index[j]];
  }
  return data;
}

// A CHD header MAME opens (version 5, uncompressed, one zero hunk) whose recorded SHA-1 is the listed one.
inline std::string FakeChd(const Sha1Digest& sha1) {
  std::string h = "MComprHD";
  auto be32 = [&](uint32_t v) { for (int i = 3; i >= 0; --i) h.push_back(static_cast<char>(v >> (8 * i))); };
  auto be64 = [&](uint64_t v) { be32(static_cast<uint32_t>(v >> 32)), be32(static_cast<uint32_t>(v)); };
  be32(124), be32(5);
  h.append(16, '\0');           // no compressors
  be64(4096), be64(124), be64(0);  // logical size, map, no metadata
  be32(4096), be32(512);        // hunk and unit size
  h.append(20, '\0');           // raw SHA-1
  h.append(reinterpret_cast<const char*>(sha1.data()), 20);
  h.append(20, '\0');  // no parent
  be32(0);             // the one map entry
  return h;
}

enum class Kind {
  Forged,     // right names, sizes and CRCs (the SHA-1 cannot be matched)
  Wrong,      // right names and sizes, other data
  Missing,    // every second file left out
  WrongSize,  // the first file one byte longer
  Absent,     // no zip at all
  Truncated,  // the zip cut in half
  Flipped,    // stored, one byte of the first file changed behind its right CRC
  Folder,     // loose files in a folder instead of a zip
  Renamed,    // every file under another name (found by its CRC)
  InParent,   // the files go into the parent's zip
  SecondFolder,  // the zip lies in the second ROM folder
  NoDisk,     // forged, but its disks are missing
  Deflated,   // forged, compressed
  EmptyZip,   // an empty zip (22 bytes) and nothing else, beside its disks
  NotChd,     // forged, but its disk files are no CHDs
  SevenZip,   // forged, in a solid 7z archive (LZMA2) made by the 7z program
  SevenZipLzma,  // forged, in a 7z archive of one LZMA block per file
  Mixed,      // forged, compressed; every other file compresses like ROM data, the rest is noise
};

// The zip (or folder) of a file of `machine` in a split collection: the highest set sharing it; a device its own.
inline std::string Owner(const RomListing& listing, const ListedMachine& machine, const ListedFile& f) {
  std::string owner = machine.name;
  if (machine.is_device || f.nodump) return owner;
  for (std::string at = machine.romof; !at.empty();) {
    auto m = listing.find(at);
    if (m == listing.end()) break;
    for (const ListedFile& other : m->second.files)
      if (other.size == f.size && other.has_crc == f.has_crc && other.crc == f.crc && other.sha1 == f.sha1)
        owner = at;
    at = m->second.romof;
  }
  return owner;
}

struct Collection {
  std::string folder_a, folder_b;
  uint64_t bytes = 0;  // of ROM data laid out
};

// Lays out every file the sets need (parents', BIOS and device files too) in folder A or B, forged unless in `kinds`.
inline Collection Build(const RomListing& listing, const std::vector<std::string>& sets,
                        const std::map<std::string, Kind>& kinds, const std::string& root) {
  Collection c{root + "/A", root + "/B", 0};
  std::filesystem::create_directories(c.folder_a), std::filesystem::create_directories(c.folder_b);
  auto kind_of = [&](const std::string& owner) { return kinds.count(owner) ? kinds.at(owner) : Kind::Forged; };
  // A file's data is made only when its zip is written, so memory stays small.
  struct Planned {
    std::string name; const ListedFile* file; Kind kind; bool longer; uint64_t seed;
    std::string Data() const {
      std::string data = kind == Kind::Mixed && seed % 2 ? ziptest::RomLikeData(file->size, static_cast<uint32_t>(seed))
                                                       : RandomBytes(file->size, seed);
      if (kind != Kind::Wrong) data = ForgeCrc(std::move(data), file->crc);
      if (longer) data.push_back('!');
      return data;
    }
  };
  std::map<std::string, std::vector<Planned>> zips;  // owner -> members
  std::map<std::string, std::vector<std::pair<std::string, Sha1Digest>>> disks;
  std::set<std::pair<std::string, std::string>> placed;
  auto place = [&](const ListedMachine& m) {
    for (const ListedFile& f : m.files) {
      if (f.nodump) continue;
      std::string owner = Owner(listing, m, f);
      if (!placed.insert({owner, f.name}).second) continue;
      if (f.disk && kind_of(m.name) != Kind::NoDisk) disks[owner].push_back({f.name, f.sha1});
      if (f.disk) continue;
      const Kind kind = kind_of(owner);
      if (kind == Kind::EmptyZip) continue;
      const bool longer = kind == Kind::WrongSize && zips[owner].empty();
      std::string name = kind == Kind::Renamed ? "other_" + f.name : f.name;
      auto mm = listing.find(owner);
      const bool up = kind == Kind::InParent && mm != listing.end() && !mm->second.romof.empty();
      const std::string target = up ? mm->second.romof : owner;
      zips[target].push_back({name, &f, kind, longer, std::hash<std::string>()(owner + f.name)});
    }
  };
  for (const std::string& set : sets) {
    if (!listing.count(set)) continue;
    place(listing.at(set));
    for (const std::string& d : listing.at(set).devices)
      if (listing.count(d)) place(listing.at(d));
  }
  auto write = [&](const std::string& path, const std::string& data) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << data;
    return data.size();
  };
  for (auto& [owner, members] : zips) {
    Kind kind = kind_of(owner);
    if (kind == Kind::Absent) continue;
    std::string folder = kind == Kind::SecondFolder ? c.folder_b : c.folder_a;
    const bool seven = kind == Kind::SevenZip || kind == Kind::SevenZipLzma;
    if (kind == Kind::Folder || seven) {  // loose files, which the 7z program then packs
      const std::string loose = seven ? root + "/7z-" + owner : folder + "/" + owner;
      for (const Planned& m : members) c.bytes += write(loose + "/" + m.name, m.Data());
      if (!seven) continue;
      const std::string method = kind == Kind::SevenZip ? "-m0=LZMA2 -ms=on" : "-m0=LZMA -ms=off";
      std::system(("cd '" + loose + "' && 7z a -bd -bso0 -bsp0 " + method + " '" + folder + "/" + owner + ".7z' . >/dev/null")
                      .c_str());
      std::filesystem::remove_all(loose);
      continue;
    }
    std::vector<ziptest::Member> list;
    for (size_t i = 0; i < members.size(); ++i) {
      if (kind == Kind::Missing && i % 2 == 1) continue;
      std::string data = members[i].Data();
      if (kind != Kind::Truncated) c.bytes += data.size();
      list.push_back(kind == Kind::Deflated ? ziptest::Deflated(members[i].name, data, 1)
                     : kind == Kind::Mixed  ? ziptest::Deflated(members[i].name, data, 6)
                                            : ziptest::Stored(members[i].name, data));
    }
    if (kind == Kind::Flipped && !list.empty() && !list[0].data.empty()) list[0].data[list[0].data.size() / 2] ^= 0x20;
    std::string zip = ziptest::BuildZip(list);
    if (kind == Kind::Truncated) zip.resize(zip.size() / 2);
    write(folder + "/" + owner + ".zip", zip);
  }
  for (const auto& [owner, list] : disks)
    for (const auto& [name, sha1] : list)
      write(c.folder_a + "/" + owner + "/" + name + ".chd",
            kind_of(owner) == Kind::NotChd ? std::string(300, 'x') : FakeChd(sha1));
  for (const auto& [owner, kind] : kinds)
    if (kind == Kind::EmptyZip) write(c.folder_a + "/" + owner + ".zip", ziptest::BuildZip({}));
  return c;
}

// MAME's -verifyroms output cut into each set's lines, ending with its "romset" line; sets with nothing found absent.
inline std::map<std::string, std::string> SplitVerifyroms(const std::string& output) {
  std::map<std::string, std::string> blocks;
  std::string pending;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("romset ", 0) == 0) {
      std::string set = line.substr(7, line.find(' ', 7) - 7);
      blocks[set] = pending + line + "\n";
      pending.clear();
    } else if (line.find(" romsets found, ") == std::string::npos) {
      pending += line + "\n";
    }
  }
  return blocks;
}

}  // namespace scratch
