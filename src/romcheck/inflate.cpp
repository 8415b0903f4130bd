#include "romcheck/inflate.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "romcheck/crc32.h"

namespace {

// ---- Decoding tables -------------------------------------------------------
// A table entry packs: bits 0-3 the code bits to drop at this level, bits 4-7
// the kind, bits 8-11 the extra bits (or a sub-table's index bits), bits 16-31
// the value (a byte, a length or distance base, or a sub-table offset).
// Codes longer than the primary index spill into fixed-size sub-tables, so a
// symbol costs one or two lookups instead of one step per bit.
enum Kind : uint32_t { kLiteral = 0, kLength = 1, kEndOfBlock = 2, kSubTable = 3, kInvalid = 4 };

constexpr uint32_t Entry(uint32_t kind, uint32_t bits, uint32_t extra, uint32_t value) {
  return value << 16 | extra << 8 | kind << 4 | bits;
}
inline uint32_t EntryBits(uint32_t e) { return e & 15; }
inline uint32_t EntryKind(uint32_t e) { return (e >> 4) & 15; }
inline uint32_t EntryExtra(uint32_t e) { return (e >> 8) & 15; }
inline uint32_t EntryValue(uint32_t e) { return e >> 16; }

constexpr int kMaxCodeBits = 15;
constexpr int kLitPrimary = 11, kLitSub = kMaxCodeBits - kLitPrimary;
constexpr int kDistPrimary = 8, kDistSub = kMaxCodeBits - kDistPrimary;
constexpr int kLenPrimary = 7;  // the code-length code never exceeds 7 bits
constexpr int kLitSymbols = 288, kDistSymbols = 32, kCodeLenSymbols = 19;
constexpr int kLitTableSize = (1 << kLitPrimary) + kLitSymbols * (1 << kLitSub);
constexpr int kDistTableSize = (1 << kDistPrimary) + kDistSymbols * (1 << kDistSub);

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// What a decoded symbol means, before the code bits are known.
uint32_t LitLenPayload(int symbol) {
  if (symbol < 256) return Entry(kLiteral, 0, 0, static_cast<uint32_t>(symbol));
  if (symbol == 256) return Entry(kEndOfBlock, 0, 0, 0);
  if (symbol <= 285) return Entry(kLength, 0, kLengthExtra[symbol - 257], kLengthBase[symbol - 257]);
  return Entry(kInvalid, 0, 0, 0);  // 286 and 287 exist only in the fixed code
}
uint32_t DistPayload(int symbol) {
  if (symbol < 30) return Entry(kLength, 0, kDistExtra[symbol], kDistBase[symbol]);
  return Entry(kInvalid, 0, 0, 0);
}
uint32_t CodeLenPayload(int symbol) { return Entry(kLiteral, 0, 0, static_cast<uint32_t>(symbol)); }

enum class Completeness { MustBeComplete, SingleOrEmptyAllowed };

// Builds the lookup table of a canonical code. Fails for an over-subscribed
// code, and for an incomplete one unless exactly one symbol has a length (the
// one code is then all zero bits) or, where allowed, none has.
bool BuildTable(const uint8_t* lengths, int count, uint32_t (*payload)(int), uint32_t* table, int primary,
                int sub_bits, Completeness rule) {
  int per_length[kMaxCodeBits + 1] = {};
  for (int i = 0; i < count; ++i) ++per_length[lengths[i]];
  int used = count - per_length[0];
  int left = 1;
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    left = (left << 1) - per_length[len];
    if (left < 0) return false;
  }
  if (left > 0) {
    if (rule == Completeness::MustBeComplete) return false;
    if (used > 1) return false;
  }
  std::fill(table, table + (1 << primary), Entry(kInvalid, 0, 0, 0));
  if (used == 0) return true;

  // First canonical code of each length.
  uint32_t next_code[kMaxCodeBits + 1] = {};
  uint32_t code = 0;
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    code = (code + (len > 1 ? per_length[len - 1] : 0)) << 1;
    next_code[len] = code;
  }

  int sub_used = 0;
  int sub_prefix[kLitSymbols];
  int sub_offset[kLitSymbols];
  const int sub_size = 1 << sub_bits;
  const uint32_t primary_mask = (1u << primary) - 1;
  // Symbols in order of (length, symbol) give increasing codes.
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    for (int sym = 0; sym < count; ++sym) {
      if (lengths[sym] != len) continue;
      uint32_t c = next_code[len]++;
      uint32_t reversed = 0;
      for (int b = 0; b < len; ++b) reversed |= ((c >> b) & 1) << (len - 1 - b);
      uint32_t meaning = payload(sym);
      if (len <= primary) {
        uint32_t e = meaning | static_cast<uint32_t>(len);
        for (uint32_t i = reversed; i < (1u << primary); i += 1u << len) table[i] = e;
        continue;
      }
      uint32_t prefix = reversed & primary_mask;
      int slot = -1;
      for (int s = sub_used - 1; s >= 0 && slot < 0; --s)
        if (sub_prefix[s] == static_cast<int>(prefix)) slot = s;
      if (slot < 0) {
        slot = sub_used++;
        sub_prefix[slot] = static_cast<int>(prefix);
        sub_offset[slot] = (1 << primary) + slot * sub_size;
        std::fill(table + sub_offset[slot], table + sub_offset[slot] + sub_size, Entry(kInvalid, 0, 0, 0));
        table[prefix] = Entry(kSubTable, static_cast<uint32_t>(primary), static_cast<uint32_t>(sub_bits),
                              static_cast<uint32_t>(sub_offset[slot]));
      }
      int rest_len = len - primary;
      uint32_t e = meaning | static_cast<uint32_t>(rest_len);
      for (uint32_t i = reversed >> primary; i < static_cast<uint32_t>(sub_size); i += 1u << rest_len)
        table[sub_offset[slot] + i] = e;
    }
  }
  return true;
}

struct FixedTables {
  uint32_t lit[kLitTableSize];
  uint32_t dist[kDistTableSize];
  FixedTables() {
    uint8_t lengths[kLitSymbols];
    for (int i = 0; i < 144; ++i) lengths[i] = 8;
    for (int i = 144; i < 256; ++i) lengths[i] = 9;
    for (int i = 256; i < 280; ++i) lengths[i] = 7;
    for (int i = 280; i < 288; ++i) lengths[i] = 8;
    BuildTable(lengths, kLitSymbols, LitLenPayload, lit, kLitPrimary, kLitSub, Completeness::MustBeComplete);
    // 30 distance codes of 5 bits leave two patterns that decode to nothing,
    // which the dynamic-code rules would refuse: this one is filled directly.
    std::fill(dist, dist + (1 << kDistPrimary), Entry(kInvalid, 0, 0, 0));
    for (uint32_t sym = 0; sym < 30; ++sym) {
      uint32_t reversed = 0;
      for (int b = 0; b < 5; ++b) reversed |= ((sym >> b) & 1) << (4 - b);
      for (uint32_t i = reversed; i < (1u << kDistPrimary); i += 32) dist[i] = DistPayload(static_cast<int>(sym)) | 5;
    }
  }
};

const FixedTables& Fixed() {
  static const FixedTables tables;  // built once, thread-safe, then only read
  return tables;
}

// ---- Sliding output ---------------------------------------------------------
// Output is decoded into one flat buffer: 32 KiB of history followed by room
// for a chunk. When a chunk is full it is checksummed, handed to the caller's
// buffer and the last 32 KiB slide to the front, so back-references never wrap.
constexpr size_t kHistory = 32768;
constexpr size_t kChunk = 65536;
constexpr size_t kFlushAt = kHistory + kChunk;
constexpr size_t kSlack = 258 + 16;  // one longest match plus the wide-copy overrun

struct State {
  // Input
  const uint8_t* in;
  const uint8_t* end;
  uint64_t bits = 0;
  unsigned count = 0;    // valid bits in `bits`
  unsigned phantom = 0;  // zero bytes fed past the end of the input
  // Output
  uint8_t* window;  // kFlushAt + kSlack bytes
  uint8_t* out;     // next byte to produce
  uint8_t* flushed;
  uint8_t* dest;
  size_t dest_cap;
  uint64_t produced = 0;
  uint64_t limit;
  uint32_t crc = 0;
  // Tables of the current dynamic block
  uint32_t lit[kLitTableSize];
  uint32_t dist[kDistTableSize];
};

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;  // little-endian hosts only
}

// Tops the bit buffer up to at least 56 bits. Past the end of the input it
// feeds zero bytes and counts them; a handful is allowed so decoding needs no
// end checks of its own, and whether any was really used is settled exactly
// at the end.
inline bool Refill(State& s) {
  if (s.end - s.in >= 8) {
    s.bits |= Load64(s.in) << s.count;
    s.in += (63 - s.count) >> 3;
    s.count |= 56;
    return true;
  }
  while (s.count <= 56) {
    if (s.in < s.end)
      s.bits |= static_cast<uint64_t>(*s.in++) << s.count;
    else if (++s.phantom > 16)
      return false;
    s.count += 8;
  }
  return true;
}

inline uint32_t Take(State& s, unsigned n) {
  uint32_t v = static_cast<uint32_t>(s.bits & ((uint64_t{1} << n) - 1));
  s.bits >>= n;
  s.count -= n;
  return v;
}

inline bool UsedPhantomBits(const State& s) { return s.phantom * 8 > s.count; }

// Hands the bytes produced since the last flush on; slides the history when
// the chunk is full. False when the limit is passed.
bool Flush(State& s) {
  size_t n = static_cast<size_t>(s.out - s.flushed);
  if (n) {
    s.crc = Crc32(s.crc, s.flushed, n);
    if (s.dest && s.produced < s.dest_cap) {
      size_t room = s.dest_cap - static_cast<size_t>(s.produced);
      std::memcpy(s.dest + s.produced, s.flushed, n < room ? n : room);
    }
    s.produced += n;
    s.flushed = s.out;
  }
  if (s.produced > s.limit) return false;
  if (static_cast<size_t>(s.out - s.window) >= kFlushAt) {
    std::memmove(s.window, s.out - kHistory, kHistory);
    s.out = s.window + kHistory;
    s.flushed = s.out;
  }
  return true;
}

inline void CopyMatch(uint8_t* out, size_t distance, size_t length) {
  const uint8_t* from = out - distance;
  if (distance >= 8) {
    uint8_t* stop = out + length;
    do {
      std::memcpy(out, from, 8);  // the source never overlaps the 8 bytes being written
      out += 8;
      from += 8;
    } while (out < stop);
  } else if (distance == 1) {
    std::memset(out, out[-1], length);
  } else {
    for (size_t i = 0; i < length; ++i) out[i] = from[i];
  }
}

// 1 when the block ended, 0 on error, -2 over the limit. The hot state lives
// in locals: written through a byte pointer, it would otherwise be reloaded
// from memory after every output byte.
int DecodeBlock(State& s, const uint32_t* lit, const uint32_t* dist) {
  const uint8_t* in = s.in;
  const uint8_t* const end = s.end;
  uint64_t bits = s.bits;
  unsigned count = s.count;
  uint8_t* out = s.out;
  uint8_t* const window = s.window;
  uint8_t* const flush_at = window + kFlushAt;
  auto save = [&] {
    s.in = in, s.bits = bits, s.count = count, s.out = out;
  };
  auto load = [&] {
    in = s.in, bits = s.bits, count = s.count, out = s.out;
  };
  auto refill = [&] {
    if (end - in >= 8) {
      bits |= Load64(in) << count;
      in += (63 - count) >> 3;
      count |= 56;
      return true;
    }
    save();
    bool ok = Refill(s);
    load();
    return ok;
  };
  auto lookup = [&](const uint32_t* table, unsigned primary) {
    uint32_t e = table[bits & ((1u << primary) - 1)];
    if (EntryKind(e) == kSubTable) {
      bits >>= primary;
      count -= primary;
      e = table[EntryValue(e) + (bits & ((1u << EntryExtra(e)) - 1))];
    }
    bits >>= EntryBits(e);
    count -= EntryBits(e);
    return e;
  };
  auto take = [&](unsigned n) {
    uint32_t v = static_cast<uint32_t>(bits & ((uint64_t{1} << n) - 1));
    bits >>= n;
    count -= n;
    return v;
  };

  for (;;) {
    if (out >= flush_at) {
      save();
      if (!Flush(s)) return -2;
      load();
    }
    if (!refill()) return save(), 0;
    uint32_t e = lookup(lit, kLitPrimary);
    // Up to three literals fit in the bits of one refill.
    if (EntryKind(e) == kLiteral) {
      *out++ = static_cast<uint8_t>(EntryValue(e));
      e = lookup(lit, kLitPrimary);
      if (EntryKind(e) == kLiteral) {
        *out++ = static_cast<uint8_t>(EntryValue(e));
        if (count < kMaxCodeBits) continue;
        e = lookup(lit, kLitPrimary);
        if (EntryKind(e) == kLiteral) {
          *out++ = static_cast<uint8_t>(EntryValue(e));
          continue;
        }
      }
    }
    if (EntryKind(e) != kLength) {
      save();
      return EntryKind(e) == kEndOfBlock ? 1 : 0;
    }
    // Length extra, distance code and distance extra take at most 33 bits.
    if (count < 5 + kMaxCodeBits + 13 && !refill()) return save(), 0;
    size_t length = EntryValue(e) + take(EntryExtra(e));
    uint32_t d = lookup(dist, kDistPrimary);
    if (EntryKind(d) != kLength) return save(), 0;
    size_t distance = EntryValue(d) + take(EntryExtra(d));
    if (distance > static_cast<size_t>(out - window)) return save(), 0;  // before the first byte
    CopyMatch(out, distance, length);
    out += length;
  }
}

// Moves the reader to the next byte boundary and gives back the whole bytes
// still held in the bit buffer, so stored data can be read straight.
bool AlignToByte(State& s) {
  Take(s, s.count & 7);
  size_t held = s.count / 8;
  if (s.phantom > held) return false;
  s.in -= held - s.phantom;
  s.bits = 0;
  s.count = 0;
  s.phantom = 0;
  return true;
}

int StoredBlock(State& s) {
  if (!AlignToByte(s)) return 0;
  if (s.end - s.in < 4) return 0;
  uint32_t len = s.in[0] | s.in[1] << 8;
  uint32_t nlen = s.in[2] | s.in[3] << 8;
  s.in += 4;
  if ((len ^ nlen) != 0xFFFF) return 0;
  if (static_cast<size_t>(s.end - s.in) < len) return 0;
  while (len) {
    size_t room = static_cast<size_t>(s.window + kFlushAt - s.out);
    size_t n = len < room ? len : room;
    std::memcpy(s.out, s.in, n);
    s.out += n;
    s.in += n;
    len -= static_cast<uint32_t>(n);
    if (s.out >= s.window + kFlushAt && !Flush(s)) return -2;
  }
  return 1;
}

int DynamicBlock(State& s) {
  if (!Refill(s)) return 0;
  unsigned hlit = Take(s, 5), hdist = Take(s, 5), hclen = Take(s, 4) + 4;
  if (hlit > 29 || hdist > 29) return 0;
  unsigned nlit = hlit + 257, ndist = hdist + 1;
  static constexpr uint8_t kOrder[kCodeLenSymbols] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  uint8_t code_lengths[kCodeLenSymbols] = {};
  for (unsigned i = 0; i < hclen; ++i) {
    if (s.count < 3 && !Refill(s)) return 0;
    code_lengths[kOrder[i]] = static_cast<uint8_t>(Take(s, 3));
  }
  uint32_t len_table[1 << kLenPrimary];
  if (!BuildTable(code_lengths, kCodeLenSymbols, CodeLenPayload, len_table, kLenPrimary, 0,
                  Completeness::MustBeComplete))
    return 0;

  uint8_t lengths[kLitSymbols + kDistSymbols] = {};
  unsigned total = nlit + ndist;
  for (unsigned i = 0; i < total;) {
    if (s.count < 7 + 7 && !Refill(s)) return 0;
    uint32_t e = len_table[s.bits & ((1u << kLenPrimary) - 1)];
    if (EntryKind(e) == kInvalid) return 0;
    Take(s, EntryBits(e));
    unsigned sym = EntryValue(e);
    if (sym < 16) {
      lengths[i++] = static_cast<uint8_t>(sym);
      continue;
    }
    uint8_t value = 0;
    unsigned repeat;
    if (sym == 16) {
      if (i == 0) return 0;  // nothing to repeat
      value = lengths[i - 1];
      repeat = 3 + Take(s, 2);
    } else if (sym == 17) {
      repeat = 3 + Take(s, 3);
    } else {
      repeat = 11 + Take(s, 7);
    }
    if (i + repeat > total) return 0;
    std::memset(lengths + i, value, repeat);
    i += repeat;
  }
  if (lengths[256] == 0) return 0;  // no way to end the block
  if (!BuildTable(lengths, static_cast<int>(nlit), LitLenPayload, s.lit, kLitPrimary, kLitSub,
                  Completeness::SingleOrEmptyAllowed))
    return 0;
  // A block of literals only may have no distance code at all.
  if (!BuildTable(lengths + nlit, static_cast<int>(ndist), DistPayload, s.dist, kDistPrimary, kDistSub,
                  Completeness::SingleOrEmptyAllowed))
    return 0;
  return DecodeBlock(s, s.lit, s.dist);
}

}  // namespace

int Inflate(const uint8_t* input, size_t length, uint8_t* output, size_t capacity, InflateResult& result,
            uint64_t limit) {
  const FixedTables& fixed = Fixed();
  // Not zero-filled: nothing is read before it is written.
  std::unique_ptr<uint8_t[]> window(new uint8_t[kFlushAt + kSlack]);
  std::unique_ptr<State> state(new State);
  State& s = *state;
  s.in = input;
  s.end = input + length;
  s.window = s.out = s.flushed = window.get();
  s.dest = output;
  s.dest_cap = output ? capacity : 0;
  s.limit = limit;

  int status = kInflateOk;
  for (;;) {
    if (!Refill(s)) {
      status = kInflateError;
      break;
    }
    unsigned final_block = Take(s, 1);
    unsigned type = Take(s, 2);
    int r;
    if (type == 0)
      r = StoredBlock(s);
    else if (type == 1)
      r = DecodeBlock(s, fixed.lit, fixed.dist);
    else if (type == 2)
      r = DynamicBlock(s);
    else
      r = 0;
    if (r != 1) {
      status = r == -2 ? kInflateOverLimit : kInflateError;
      break;
    }
    if (UsedPhantomBits(s)) {
      status = kInflateError;
      break;
    }
    if (final_block) break;
  }
  if (!Flush(s) && status == kInflateOk) status = kInflateOverLimit;
  result.crc = s.crc;
  result.produced = s.produced;
  result.size = static_cast<uint32_t>(s.produced);
  return status;
}
