// Zips and raw deflate streams: zlib compresses, a small writer lays out records whose fields can be damaged.
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
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data())), z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data()), z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline uint32_t ZlibCrc(const std::string& data) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// Bytes that compress like ROM contents: runs, repeats at short and long distances, and noise.
inline std::string RomLikeData(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string d;
  d.reserve(size);
  while (d.size() < size) {
    uint32_t kind = rng() % 4;
    size_t run = 1 + rng() % 200;
    for (size_t i = 0; i < run && d.size() < size; ++i) {
      if (kind == 0 || d.size() < 300) d.push_back(static_cast<char>(rng()));
      else if (kind == 1) d.push_back(static_cast<char>(0xFF));
      else if (kind == 2) d.push_back(d[d.size() - 1 - rng() % 8]);
      else d.push_back(d[d.size() - 256]);
    }
  }
  return d;
}

// Little-endian fields of 2 and 4 bytes.
inline void Put(std::string& s, std::initializer_list<std::pair<uint32_t, int>> fields) {
  for (auto [value, bytes] : fields)
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// `data` as stored (compressed for method 8); `size` the uncompressed size the headers give; `offset` the local
// header's offset claimed instead of the real one when `use_offset`; flag bit 11: a UTF-8 name; `extra` in both headers.
struct Member {
  std::string name, data;
  uint32_t method = 0, crc = 0, size = 0;
  bool use_offset = false;
  uint32_t offset = 0, flags = 0;
  std::string extra = {};
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
    const uint32_t offset = static_cast<uint32_t>(zip.size()), stored = static_cast<uint32_t>(m.data.size());
    const uint32_t name = static_cast<uint32_t>(m.name.size()), extra = static_cast<uint32_t>(m.extra.size());
    Put(zip, {{0x04034b50, 4}, {20, 2}, {m.flags, 2}, {m.method, 2}, {0, 2}, {0x21, 2}, {m.crc, 4}, {stored, 4},
              {m.size, 4}, {name, 2}, {extra, 2}});
    zip += m.name + m.extra + m.data;
    Put(central, {{0x02014b50, 4}, {20, 2}, {20, 2}, {m.flags, 2}, {m.method, 2}, {0, 2}, {0x21, 2}, {m.crc, 4},
                  {stored, 4}, {m.size, 4}, {name, 2}, {extra, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 4},
                  {m.use_offset ? m.offset : offset, 4}});
    central += m.name + m.extra;
  }
  const uint32_t count = static_cast<uint32_t>(members.size() & 0xFFFF);
  Put(central, {{0x06054b50, 4}, {0, 2}, {0, 2}, {count, 2}, {count, 2},
                {static_cast<uint32_t>(central.size()), 4}, {static_cast<uint32_t>(zip.size()), 4},
                {static_cast<uint32_t>(comment.size()), 2}});
  return zip + central + comment;
}

inline const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace ziptest
