#include "romcheck/inflate.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "romcheck/crc32.h"

namespace {

// Inlined before anything else is optimised: the decoder's helpers work on the
// caller's locals through references, and only once inlined early can those
// locals live in registers instead of being read back from the stack.
#define KORVO_INLINE __attribute__((always_inline))

// ---- Decoding tables -------------------------------------------------------
// One table entry tells everything needed to act on a code without further
// lookups:
//   bits 0-7   bits the entry consumes: the code itself plus, for a length or
//              distance, its extra bits, so one shift drops both
//   bits 8-11  the code's own length (where the extra bits start); for a
//              sub-table pointer, the sub-table's index bits
//   bits 12-15 flags
//   bits 16-31 the value: a byte, a length or distance base, a sub-table offset
// Codes longer than the primary index spill into fixed-size sub-tables, so a
// symbol costs one or two lookups instead of one step per bit.
constexpr uint32_t kLiteral = 1u << 12;
constexpr uint32_t kSubTable = 1u << 13;
constexpr uint32_t kEndOfBlock = 1u << 14;
constexpr uint32_t kInvalid = 1u << 15;

constexpr uint32_t Entry(uint32_t flags, uint32_t value, uint32_t extra_bits = 0) {
  return value << 16 | flags | extra_bits;
}
inline uint32_t EntryBits(uint32_t e) { return e & 0xFF; }
inline uint32_t EntryCodeBits(uint32_t e) { return (e >> 8) & 15; }
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

// What each symbol means, before its code is known (the builder adds the
// code's length).
struct Meanings {
  uint32_t lit[kLitSymbols];
  uint32_t dist[kDistSymbols];
  uint32_t code_len[kCodeLenSymbols];
};

constexpr Meanings MakeMeanings() {
  Meanings m{};
  for (uint32_t sym = 0; sym < 256; ++sym) m.lit[sym] = Entry(kLiteral, sym);
  m.lit[256] = Entry(kEndOfBlock, 0);
  for (uint32_t sym = 257; sym <= 285; ++sym) m.lit[sym] = Entry(0, kLengthBase[sym - 257], kLengthExtra[sym - 257]);
  m.lit[286] = m.lit[287] = Entry(kInvalid, 0);  // they exist only in the fixed code
  for (uint32_t sym = 0; sym < 30; ++sym) m.dist[sym] = Entry(0, kDistBase[sym], kDistExtra[sym]);
  m.dist[30] = m.dist[31] = Entry(kInvalid, 0);  // likewise
  for (uint32_t sym = 0; sym < kCodeLenSymbols; ++sym) m.code_len[sym] = Entry(0, sym);
  return m;
}
constexpr Meanings kMeanings = MakeMeanings();

constexpr std::array<uint8_t, 256> MakeReversedBytes() {
  std::array<uint8_t, 256> r{};
  for (int b = 0; b < 256; ++b)
    for (int i = 0; i < 8; ++i) r[b] |= static_cast<uint8_t>(((b >> i) & 1) << (7 - i));
  return r;
}
constexpr std::array<uint8_t, 256> kReversedBytes = MakeReversedBytes();

// Huffman codes are sent most significant bit first, but the bit buffer hands
// bits out least significant first: tables are indexed by the reversed code.
inline uint32_t Reverse(uint32_t code, int length) {
  uint32_t r = static_cast<uint32_t>(kReversedBytes[code & 0xFF]) << 8 | kReversedBytes[code >> 8];
  return r >> (16 - length);
}

enum class Completeness { MustBeComplete, SingleOrEmptyAllowed };

// Builds the lookup table of a canonical code. Fails for an over-subscribed
// code, and for an incomplete one unless exactly one symbol has a length (the
// one code is then all zero bits) or, where allowed, none has.
bool BuildTable(const uint8_t* lengths, int count, const uint32_t* meaning, uint32_t* table, int primary,
                int sub_bits, Completeness rule) {
  int per_length[kMaxCodeBits + 1] = {};
  for (int i = 0; i < count; ++i) ++per_length[lengths[i]];
  int used = count - per_length[0];
  int left = 1;
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    left = (left << 1) - per_length[len];
    if (left < 0) return false;
  }
  const bool complete = left == 0;
  if (!complete) {
    if (rule == Completeness::MustBeComplete) return false;
    if (used > 1) return false;
  }
  // A complete code covers every slot; otherwise the slots no code reaches
  // must decode to an error rather than to stale entries.
  if (!complete) std::fill(table, table + (1 << primary), Entry(kInvalid, 0));
  if (used == 0) return true;

  // Symbols sorted by (length, symbol): their canonical codes then simply
  // count up, and the long codes sharing a primary prefix come together.
  int offset[kMaxCodeBits + 2] = {};
  for (int len = 1; len <= kMaxCodeBits; ++len) offset[len + 1] = offset[len] + per_length[len];
  uint16_t sorted[kLitSymbols];
  for (int sym = 0; sym < count; ++sym)
    if (lengths[sym]) sorted[offset[lengths[sym]]++] = static_cast<uint16_t>(sym);

  // Canonical codes of one length count up; a longer code continues from
  // the next shorter one shifted left.
  uint32_t code = 0;
  int code_len = 0;
  auto next_reversed = [&](int len) {
    code <<= len - code_len;
    code_len = len;
    return Reverse(code++, len);
  };

  // Codes that fit the primary index: each is written once into the first
  // 2^len slots, and the filled part is doubled whenever the length grows, so
  // every slot ends up with the code its index starts with. Slots that belong
  // to longer codes are copied along with the rest and set further down (or
  // were set to an error above when the code is incomplete).
  int i = 0;
  for (int len = 1; len <= primary; ++len) {
    for (; i < used && lengths[sorted[i]] == len; ++i)
      table[next_reversed(len)] = meaning[sorted[i]] + (static_cast<uint32_t>(len) << 8) + static_cast<uint32_t>(len);
    if (len < primary) std::memcpy(table + (1u << len), table, sizeof(uint32_t) << len);
  }

  // Longer codes go to sub-tables, one per primary prefix; sorted order keeps
  // the codes of one prefix together.
  const uint32_t primary_size = 1u << primary;
  const uint32_t sub_size = 1u << sub_bits;
  uint32_t sub_prefix = primary_size;  // none yet
  uint32_t sub_offset = primary_size;
  for (; i < used; ++i) {
    int sym = sorted[i];
    int len = lengths[sym];
    uint32_t reversed = next_reversed(len);
    uint32_t prefix = reversed & (primary_size - 1);
    if (prefix != sub_prefix) {
      sub_offset = sub_prefix == primary_size ? primary_size : sub_offset + sub_size;
      sub_prefix = prefix;
      if (!complete) std::fill(table + sub_offset, table + sub_offset + sub_size, Entry(kInvalid, 0));
      table[prefix] = Entry(kSubTable, sub_offset) | static_cast<uint32_t>(sub_bits) << 8 | static_cast<uint32_t>(primary);
    }
    uint32_t rest = static_cast<uint32_t>(len - primary);
    uint32_t e = meaning[sym] + (rest << 8) + rest;
    for (uint32_t slot = reversed >> primary; slot < sub_size; slot += 1u << rest) table[sub_offset + slot] = e;
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
    BuildTable(lengths, kLitSymbols, kMeanings.lit, lit, kLitPrimary, kLitSub, Completeness::MustBeComplete);
    // All 32 five-bit patterns, so the code is complete; 30 and 31 decode to
    // an error through their meaning.
    std::fill(lengths, lengths + kDistSymbols, 5);
    BuildTable(lengths, kDistSymbols, kMeanings.dist, dist, kDistPrimary, kDistSub, Completeness::MustBeComplete);
  }
};

const FixedTables& Fixed() {
  static const FixedTables tables;  // built once, thread-safe, then only read
  return tables;
}

// ---- Sliding output ---------------------------------------------------------
// Output is decoded into one flat buffer: 32 KiB of history followed by room
// for a chunk. When a chunk is full it is checksummed, handed to the caller's
// buffer and the last 32 KiB slide to the front, so back-references never wrap
// and a match is one straight copy.
constexpr size_t kHistory = 32768;
constexpr size_t kChunk = 65536;
constexpr size_t kFlushAt = kHistory + kChunk;
// Match copies move whole 8- or 16-byte words and may write this many bytes
// past the match's end (see CopyMatch).
constexpr size_t kCopyOverrun = 32;
// The decoder checks for a full chunk once per round, and one round writes at
// most two literals and one longest match, plus the copy's overrun.
constexpr size_t kSlack = 2 + 258 + kCopyOverrun;

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
  const InflateSink* sink = nullptr;
  bool sink_stopped = false;
  // Tables of the current dynamic block
  uint32_t lit[kLitTableSize];
  uint32_t dist[kDistTableSize];
};

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;  // little-endian hosts only
}

// The branch-free refill: with 8 readable bytes, OR them in above the held
// bits and advance by the whole bytes that fitted. Afterwards 56-63 bits are
// held (count | 56 equals count plus the bits added). Bits loaded beyond the
// count are the true next input bits, so ORing them in again next time
// changes nothing.
KORVO_INLINE inline void RefillWide(const uint8_t*& in, uint64_t& bits, unsigned& count) {
  bits |= Load64(in) << count;
  in += (63 - count) >> 3;
  count |= 56;
}

// Tops the bit buffer up to at least 56 bits, byte by byte. Past the end of
// the input it feeds zero bytes and counts them; a handful is allowed so
// decoding needs no end checks of its own, and whether any was really used is
// settled exactly at the end. A valid stream never holds more than 8 of them
// (64 bits), so more than 16 means garbage is being decoded.
KORVO_INLINE inline bool RefillCareful(const uint8_t*& in, const uint8_t* end, uint64_t& bits, unsigned& count,
                          unsigned& phantom) {
  while (count <= 56) {
    if (in < end)
      bits |= static_cast<uint64_t>(*in++) << count;
    else if (++phantom > 16)
      return false;
    count += 8;
  }
  return true;
}

inline bool Refill(State& s) {
  if (s.end - s.in >= 8) {
    RefillWide(s.in, s.bits, s.count);
    return true;
  }
  return RefillCareful(s.in, s.end, s.bits, s.count, s.phantom);
}

inline uint32_t Take(State& s, unsigned n) {
  uint32_t v = static_cast<uint32_t>(s.bits & ((uint64_t{1} << n) - 1));
  s.bits >>= n;
  s.count -= n;
  return v;
}

inline bool UsedPhantomBits(const State& s) { return s.phantom * 8 > s.count; }

// Hands the bytes produced since the last flush on; slides the history when
// the chunk is full. False when the limit is passed or the sink said stop.
bool Flush(State& s) {
  size_t n = static_cast<size_t>(s.out - s.flushed);
  if (n) {
    s.crc = Crc32(s.crc, s.flushed, n);
    if (s.sink && !s.sink->take(s.sink->context, s.flushed, n)) s.sink_stopped = true;
    if (s.dest && s.produced < s.dest_cap) {
      size_t room = s.dest_cap - static_cast<size_t>(s.produced);
      std::memcpy(s.dest + s.produced, s.flushed, n < room ? n : room);
    }
    s.produced += n;
    s.flushed = s.out;
  }
  if (s.produced > s.limit || s.sink_stopped) return false;
  if (static_cast<size_t>(s.out - s.window) >= kFlushAt) {
    std::memmove(s.window, s.out - kHistory, kHistory);
    s.out = s.window + kHistory;
    s.flushed = s.out;
  }
  return true;
}

// Copies `kWord`-byte words from `from` to `out` until `stop` is reached or
// passed, for distances of at least kWord: each word is then read from bytes
// already final, as the source ends at or before the word being written
// starts. Two words are copied up front, which covers most matches without a
// loop branch to mispredict.
template <size_t kWord>
KORVO_INLINE inline void CopyWords(uint8_t* out, const uint8_t* from, const uint8_t* stop) {
  std::memcpy(out, from, kWord);
  std::memcpy(out + kWord, from + kWord, kWord);
  for (out += 2 * kWord, from += 2 * kWord; out < stop; out += kWord, from += kWord) std::memcpy(out, from, kWord);
}

// Copies a match of `length` (3-258) bytes from `distance` (1-32768) back,
// a whole word at a time. The words may run up to kCopyOverrun - 1 bytes past
// the match; those bytes lie in the window's slack or in room the next
// symbols overwrite before anything reads them.
KORVO_INLINE inline void CopyMatch(uint8_t* out, size_t distance, size_t length) {
  uint8_t* const stop = out + length;
  if (distance >= 16) {
    CopyWords<16>(out, out - distance, stop);
  } else if (distance >= 8) {
    CopyWords<8>(out, out - distance, stop);
  } else if (distance == 1) {
    // A run of one byte: store its 8-fold copy, no reads at all.
    uint64_t v = uint64_t{0x0101010101010101} * out[-1];
    do {
      std::memcpy(out, &v, 8);
      out += 8;
    } while (out < stop);
  } else {
    // Distances 2-7: the first 8 bytes one by one; after that the bytes
    // repeat with any multiple of the distance as period, and with `step`,
    // the largest multiple not above 8, each word's source has been written
    // in full by the word before.
    for (int i = 0; i < 8; ++i) out[i] = out[i - static_cast<ptrdiff_t>(distance)];
    static constexpr uint8_t kStep[8] = {0, 8, 8, 6, 8, 5, 6, 7};  // 8 - 8 % distance, without a division
    size_t step = kStep[distance];
    for (out += step; out < stop; out += step) {
      uint64_t word = Load64(out - step);  // overlaps the destination: load first
      std::memcpy(out, &word, 8);
    }
  }
}

// Decoding rounds of one block. Each round starts with at least 56 bits held
// and the primary entry of the next literal/length code looked up, which is
// what bounds the bits a round may use:
//   - a literal takes at most 15 bits, so up to three come from one refill;
//   - a length takes at most 15 + 5 bits and a distance 15 + 13 (both
//     counting the primary bits of a sub-table), so 48 bits cover a whole
//     match after one refill.
// A round writes at most two literals and a match, or three literals, and
// refills at most twice. The next round's entry is looked up before the match
// is copied, so the table load overlaps the copy instead of waiting for it.
//
// Far from the end of the input, rounds run in a loop that calls nothing and
// checks nothing per refill, so all its state stays in registers; it stops
// where a round might read past the input or write past the chunk. Near the
// end of the input single rounds run with the careful refill instead.
constexpr size_t kFastInputMargin = 2 * 8;  // two refills of at most 8 bytes each
constexpr int kRoundsPaused = 2;            // the chunk is full or the input nearly used up

template <bool kNearEnd>
KORVO_INLINE inline int DecodeRounds(State& s, const uint32_t* lit, const uint32_t* dist) {
  const uint8_t* in = s.in;
  uint64_t bits = s.bits;
  unsigned count = s.count;
  uint8_t* out = s.out;
  uint8_t* const window = s.window;
  // Where the fast loop pauses; the caller runs it only with the margin left.
  const uint8_t* const in_fast_end = kNearEnd ? s.end : s.end - kFastInputMargin;
  // Every exit hands the state back, whatever the result.
  auto leave = [&](int result) KORVO_INLINE {
    s.in = in, s.bits = bits, s.count = count, s.out = out;
    return result;
  };
  auto refill = [&]() KORVO_INLINE {
    if constexpr (kNearEnd) return RefillCareful(in, s.end, bits, count, s.phantom);
    RefillWide(in, bits, count);
    return true;
  };
  auto consume = [&](uint32_t e) KORVO_INLINE {
    bits >>= EntryBits(e);
    count -= EntryBits(e);
  };
  // Follows a sub-table pointer, consuming its primary bits on the way; any
  // other entry is returned as it is. The entry's own bits are left for the
  // caller.
  auto resolve = [&](const uint32_t* table, uint32_t e) KORVO_INLINE {
    if (e & kSubTable) {
      consume(e);
      e = table[EntryValue(e) + (bits & ((1u << EntryCodeBits(e)) - 1))];
    }
    return e;
  };
  auto primary_lit = [&]() KORVO_INLINE { return lit[bits & ((1u << kLitPrimary) - 1)]; };
  auto emit = [&](uint32_t literal) KORVO_INLINE {
    consume(literal);
    *out++ = static_cast<uint8_t>(EntryValue(literal));
  };
  // The extra bits of a length or distance sit right after its code in the
  // bits held before the entry was consumed.
  auto extra = [](uint64_t before, uint32_t e) KORVO_INLINE {
    // At most 15 + 13 bits: 32-bit arithmetic is enough.
    uint32_t all = static_cast<uint32_t>(before) & ((1u << EntryBits(e)) - 1);
    return all >> EntryCodeBits(e);
  };

  if (!refill()) return leave(0);
  // Only the primary entry is looked ahead: when the loop pauses it can be
  // dropped, as no bit of it has been consumed.
  uint32_t e = primary_lit();
  do {
    // Literals are taken straight from primary entries; a literal whose code
    // is long enough to need a sub-table is rare and is handled below.
    if (e & kLiteral) {
      emit(e);
      e = primary_lit();
      if (e & kLiteral) {
        emit(e);
        e = primary_lit();
        if (e & kLiteral) {
          emit(e);
          if (!refill()) return leave(0);
          e = primary_lit();
          continue;
        }
      }
      // Refilling adds bits above those held, so `e` stays valid.
      if (!refill()) return leave(0);
    }
    if (e & kSubTable) {
      e = resolve(lit, e);
      if (e & kLiteral) {
        emit(e);
        if (!refill()) return leave(0);
        e = primary_lit();
        continue;
      }
    }
    if (e & (kEndOfBlock | kInvalid)) {
      if (e & kInvalid) return leave(0);
      consume(e);
      return leave(1);
    }
    uint64_t before = bits;
    consume(e);
    size_t length = EntryValue(e) + extra(before, e);
    uint32_t d = resolve(dist, dist[bits & ((1u << kDistPrimary) - 1)]);
    if (d & kInvalid) return leave(0);
    before = bits;
    consume(d);
    size_t distance = EntryValue(d) + extra(before, d);
    if (distance > static_cast<size_t>(out - window)) return leave(0);  // before the first byte
    if (!refill()) return leave(0);
    e = primary_lit();
    CopyMatch(out, distance, length);
    out += length;
  } while (!kNearEnd && out < window + kFlushAt && in <= in_fast_end);
  return leave(kRoundsPaused);
}

int FastRounds(State& s, const uint32_t* lit, const uint32_t* dist) { return DecodeRounds<false>(s, lit, dist); }
int NearEndRound(State& s, const uint32_t* lit, const uint32_t* dist) { return DecodeRounds<true>(s, lit, dist); }

using RoundsFunction = int (*)(State&, const uint32_t*, const uint32_t*);

#if defined(__x86_64__) || defined(_M_X64)
// The same loop where the processor can shift by a register without touching
// the flags (BMI2): every consumed code is such a shift, and the plain form
// costs three times the work on common cores.
__attribute__((target("bmi2"))) int FastRoundsBmi2(State& s, const uint32_t* lit, const uint32_t* dist) {
  return DecodeRounds<false>(s, lit, dist);
}
RoundsFunction PickFastRounds() {
  static const RoundsFunction pick = __builtin_cpu_supports("bmi2") ? FastRoundsBmi2 : FastRounds;
  return pick;
}
#else
RoundsFunction PickFastRounds() { return FastRounds; }
#endif

// Decodes the symbols of one block: 1 when the block ended, 0 on error, -2
// over the limit.
int DecodeBlock(State& s, const uint32_t* lit, const uint32_t* dist) {
  const RoundsFunction fast_rounds = PickFastRounds();
  for (;;) {
    if (s.out >= s.window + kFlushAt && !Flush(s)) return -2;
    int r = static_cast<size_t>(s.end - s.in) >= kFastInputMargin ? fast_rounds(s, lit, dist) : NearEndRound(s, lit, dist);
    if (r != kRoundsPaused) return r;
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
  if (!BuildTable(code_lengths, kCodeLenSymbols, kMeanings.code_len, len_table, kLenPrimary, 0,
                  Completeness::MustBeComplete))
    return 0;

  uint8_t lengths[kLitSymbols + kDistSymbols] = {};
  unsigned total = nlit + ndist;
  for (unsigned i = 0; i < total;) {
    if (s.count < 7 + 7 && !Refill(s)) return 0;  // a code and its extra bits
    uint32_t e = len_table[s.bits & ((1u << kLenPrimary) - 1)];
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
  if (!BuildTable(lengths, static_cast<int>(nlit), kMeanings.lit, s.lit, kLitPrimary, kLitSub,
                  Completeness::SingleOrEmptyAllowed))
    return 0;
  // A block of literals only may have no distance code at all.
  if (!BuildTable(lengths + nlit, static_cast<int>(ndist), kMeanings.dist, s.dist, kDistPrimary, kDistSub,
                  Completeness::SingleOrEmptyAllowed))
    return 0;
  return DecodeBlock(s, s.lit, s.dist);
}

}  // namespace

int Inflate(const uint8_t* input, size_t length, uint8_t* output, size_t capacity, InflateResult& result,
            uint64_t limit, const InflateSink* sink) {
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
  s.sink = sink;

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
  if (!s.sink_stopped && !Flush(s) && status == kInflateOk) status = kInflateOverLimit;
  if (s.sink_stopped) status = kInflateStopped;
  result.crc = s.crc;
  result.produced = s.produced;
  result.size = static_cast<uint32_t>(s.produced);
  return status;
}
