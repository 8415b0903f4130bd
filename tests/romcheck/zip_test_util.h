// Building zips and raw deflate streams for the tests: zlib compresses, a
// small writer lays out the records so that each field can be damaged.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ziptest {

inline std::string Deflate(const std::string& data, int level, int strategy = Z_DEFAULT_STRATEGY) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline uint32_t ZlibCrc(const std::string& data) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// Bytes that compress like ROM contents: runs, repeats at short and long
// distances, and noise.
inline std::string RomLikeData(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string d;
  d.reserve(size);
  while (d.size() < size) {
    uint32_t kind = rng() % 4;
    size_t run = 1 + rng() % 200;
    for (size_t i = 0; i < run && d.size() < size; ++i) {
      if (kind == 0 || d.size() < 300)
        d.push_back(static_cast<char>(rng()));
      else if (kind == 1)
        d.push_back(static_cast<char>(0xFF));
      else if (kind == 2)
        d.push_back(d[d.size() - 1 - rng() % 8]);
      else
        d.push_back(d[d.size() - 256]);
    }
  }
  return d;
}

inline void Put16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

struct Member {
  std::string name;
  std::string data;       // as stored in the zip (already compressed for method 8)
  uint32_t method = 0;
  uint32_t crc = 0;
  uint32_t size = 0;      // uncompressed size written to the headers
  bool use_offset = false;
  uint32_t offset = 0;    // local header offset to claim instead of the real one
  uint32_t flags = 0;     // general purpose flags (bit 11: the name is UTF-8)
};

inline Member Stored(const std::string& name, const std::string& data) {
  return {name, data, 0, ZlibCrc(data), static_cast<uint32_t>(data.size())};
}
inline Member Deflated(const std::string& name, const std::string& data, int level = 6) {
  return {name, Deflate(data, level), 8, ZlibCrc(data), static_cast<uint32_t>(data.size())};
}

inline std::string BuildZip(const std::vector<Member>& members, const std::string& comment = "") {
  std::string zip, central;
  for (const Member& m : members) {
    uint32_t offset = static_cast<uint32_t>(zip.size());
    Put32(zip, 0x04034b50);
    Put16(zip, 20), Put16(zip, m.flags), Put16(zip, m.method), Put16(zip, 0), Put16(zip, 0x21);
    Put32(zip, m.crc), Put32(zip, static_cast<uint32_t>(m.data.size())), Put32(zip, m.size);
    Put16(zip, static_cast<uint32_t>(m.name.size())), Put16(zip, 0);
    zip += m.name;
    zip += m.data;
    Put32(central, 0x02014b50);
    Put16(central, 20), Put16(central, 20), Put16(central, m.flags), Put16(central, m.method);
    Put16(central, 0), Put16(central, 0x21);
    Put32(central, m.crc), Put32(central, static_cast<uint32_t>(m.data.size())), Put32(central, m.size);
    Put16(central, static_cast<uint32_t>(m.name.size())), Put16(central, 0), Put16(central, 0);
    Put16(central, 0), Put16(central, 0), Put32(central, 0);
    Put32(central, m.use_offset ? m.offset : offset);
    central += m.name;
  }
  uint32_t dir_offset = static_cast<uint32_t>(zip.size());
  zip += central;
  Put32(zip, 0x06054b50);
  Put16(zip, 0), Put16(zip, 0);
  Put16(zip, static_cast<uint32_t>(members.size() & 0xFFFF)), Put16(zip, static_cast<uint32_t>(members.size() & 0xFFFF));
  Put32(zip, static_cast<uint32_t>(central.size())), Put32(zip, dir_offset);
  Put16(zip, static_cast<uint32_t>(comment.size()));
  zip += comment;
  return zip;
}

inline const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace ziptest
