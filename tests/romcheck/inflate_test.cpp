#include "romcheck/inflate.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "romcheck/crc32.h"
#include "romcheck/zip_test_util.h"

using namespace ziptest;

namespace {

// Writes a deflate stream bit by bit: header fields least significant bit
// first, Huffman codes most significant bit first.
struct BitWriter {
  std::string out;
  uint32_t acc = 0;
  int n = 0;
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Push((value >> i) & 1);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Push((code >> i) & 1);
  }
  void Push(uint32_t bit) {
    acc |= bit << n;
    if (++n == 8) {
      out.push_back(static_cast<char>(acc));
      acc = 0;
      n = 0;
    }
  }
  std::string Done() {
    if (n) out.push_back(static_cast<char>(acc));
    acc = 0;
    n = 0;
    std::string stream;
    stream.swap(out);
    return stream;
  }
};

// A dynamic block header whose code-length code gives every length 0-15 a
// 4-bit code, so any literal/length and distance lengths can be written
// without runs.
void DynamicHeader(BitWriter& w, const std::vector<int>& lit, const std::vector<int>& dist, bool final_block = true) {
  w.Bits(final_block, 1);
  w.Bits(2, 2);
  w.Bits(static_cast<uint32_t>(lit.size() - 257), 5);
  w.Bits(static_cast<uint32_t>(dist.size() - 1), 5);
  w.Bits(15, 4);  // all 19 code-length lengths follow
  const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  for (int sym : order) w.Bits(sym < 16 ? 4 : 0, 3);
  for (int len : lit) w.Code(static_cast<uint32_t>(len), 4);
  for (int len : dist) w.Code(static_cast<uint32_t>(len), 4);
}

// Canonical Huffman codes for the given lengths, assigned as RFC 1951 3.2.2
// describes, for writing dynamic blocks by hand.
std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths) {
  int per_length[16] = {};
  for (int len : lengths) per_length[len] += len > 0;
  uint32_t next[16] = {};
  uint32_t code = 0;
  for (int len = 1; len < 16; ++len) next[len] = code = (code + per_length[len - 1] * (len > 1)) << 1;
  std::vector<uint32_t> codes(lengths.size());
  for (size_t sym = 0; sym < lengths.size(); ++sym)
    if (lengths[sym]) codes[sym] = next[lengths[sym]]++;
  return codes;
}

// zlib's reading of a raw stream: the reference for hand-written blocks.
std::string ZlibInflate(const std::string& stream, size_t size) {
  std::string out(size, '\0');
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = const_cast<Bytef*>(Bytes(stream));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int r = inflate(&z, Z_FINISH);
  out.resize(z.total_out);
  inflateEnd(&z);
  return r == Z_STREAM_END ? out : "(zlib refused the stream)";
}

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A symbol of the fixed literal/length code.
void FixedSymbol(BitWriter& w, int sym) {
  if (sym < 144) w.Code(0x30 + sym, 8);
  else if (sym < 256) w.Code(0x190 + sym - 144, 9);
  else if (sym < 280) w.Code(sym - 256, 7);
  else w.Code(0xC0 + sym - 280, 8);
}

// A match in a fixed block, and the same match applied to `out`.
void FixedMatch(BitWriter& w, std::string& out, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  FixedSymbol(w, 257 + l);
  w.Bits(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  int d = 29;
  while (kDistBase[d] > distance) --d;
  w.Code(static_cast<uint32_t>(d), 5);
  w.Bits(static_cast<uint32_t>(distance - kDistBase[d]), kDistExtra[d]);
  for (int i = 0; i < length; ++i) out.push_back(out[out.size() - static_cast<size_t>(distance)]);
}

int Decode(const std::string& stream, InflateResult& r, std::string* out = nullptr, size_t capacity = 0) {
  if (out) out->assign(capacity, '\0');
  return Inflate(Bytes(stream), stream.size(), out ? reinterpret_cast<uint8_t*>(out->data()) : nullptr, capacity, r);
}

int Decode(const std::string& stream) {
  InflateResult r;
  return Decode(stream, r);
}

}  // namespace

TEST(Crc32, KnownValuesAndContinuation) {
  EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(0, "", 0), 0u);
  std::string data = RomLikeData(100000, 1);
  uint32_t whole = Crc32(0, data.data(), data.size());
  EXPECT_EQ(whole, ZlibCrc(data));
  EXPECT_EQ(Crc32(Crc32(0, data.data(), 777), data.data() + 777, data.size() - 777), whole);
}

TEST(Crc32, FastPathAgreesWithTablesAtEveryLengthAndAlignment) {
  std::string data = RomLikeData(4096 + 16, 2);
  for (size_t offset = 0; offset < 16; ++offset)
    for (size_t length = 0; length < 4096; length += (length < 300 ? 1 : 61)) {
      const char* p = data.data() + offset;
      ASSERT_EQ(Crc32(0x12345678u, p, length), Crc32Portable(0x12345678u, p, length)) << offset << " " << length;
    }
}

TEST(Inflate, MatchesZlibOutputAtEveryLevelAndStrategy) {
  const std::vector<std::string> inputs = {"", "a", RomLikeData(3000, 3), RomLikeData(700000, 4),
                                           std::string(300000, '\0')};
  for (const std::string& data : inputs)
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED})
      for (int level : {0, 1, 6, 9}) {
        std::string stream = Deflate(data, level, strategy);
        InflateResult r;
        std::string out;
        ASSERT_EQ(Decode(stream, r, &out, data.size()), kInflateOk) << data.size() << " " << level << " " << strategy;
        EXPECT_EQ(out, data);
        EXPECT_EQ(r.produced, data.size());
        EXPECT_EQ(r.crc, ZlibCrc(data));
      }
}

TEST(Inflate, CountsAndChecksumsBeyondTheOutputCapacity) {
  std::string data = RomLikeData(200000, 5);
  std::string stream = Deflate(data, 6);
  InflateResult r;
  std::string out;
  ASSERT_EQ(Decode(stream, r, &out, 1000), kInflateOk);
  EXPECT_EQ(out, data.substr(0, 1000));
  EXPECT_EQ(r.size, data.size());
  EXPECT_EQ(r.crc, ZlibCrc(data));
  ASSERT_EQ(Decode(stream, r), kInflateOk);  // no output at all
  EXPECT_EQ(r.crc, ZlibCrc(data));
}

TEST(Inflate, EveryCutOffStreamIsAnError) {
  std::string stream = Deflate(RomLikeData(5000, 6), 9);
  for (size_t cut = 0; cut < stream.size(); ++cut) EXPECT_EQ(Decode(stream.substr(0, cut)), kInflateError) << cut;
  std::string stored = Deflate(RomLikeData(5000, 6), 0);
  for (size_t cut = 0; cut < stored.size(); cut += 7) EXPECT_EQ(Decode(stored.substr(0, cut)), kInflateError) << cut;
}

TEST(Inflate, BadBlocksAreErrors) {
  BitWriter w;
  // A distance that reaches before the first byte: 'a', then length 3 distance 2.
  w.Bits(1, 1), w.Bits(1, 2);
  w.Code(0x30 + 'a', 8);
  w.Code(1, 7);  // length symbol 257
  w.Code(1, 5);  // distance symbol 1 = distance 2
  w.Code(0, 7);
  EXPECT_EQ(Decode(w.Done()), kInflateError);

  // The same with distance 1 is fine: "aaaa".
  w.Bits(1, 1), w.Bits(1, 2);
  w.Code(0x30 + 'a', 8), w.Code(1, 7), w.Code(0, 5), w.Code(0, 7);
  InflateResult r;
  std::string out;
  ASSERT_EQ(Decode(w.Done(), r, &out, 4), kInflateOk);
  EXPECT_EQ(out, "aaaa");

  // Fixed-code symbols that do not exist: length 286, distance 30.
  w.Bits(1, 1), w.Bits(1, 2), w.Code(0xC6, 8);
  EXPECT_EQ(Decode(w.Done()), kInflateError);
  w.Bits(1, 1), w.Bits(1, 2), w.Code(0x30 + 'a', 8), w.Code(1, 7), w.Code(30, 5);
  EXPECT_EQ(Decode(w.Done()), kInflateError);

  // Block type 3.
  w.Bits(1, 1), w.Bits(3, 2);
  EXPECT_EQ(Decode(w.Done() + std::string(8, '\0')), kInflateError);

  // Stored blocks: LEN and NLEN must agree, and LEN bytes must be there.
  std::string good = std::string("\x01\x03\x00\xFC\xFF", 5) + "abc";
  ASSERT_EQ(Decode(good, r, &out, 3), kInflateOk);
  EXPECT_EQ(out, "abc");
  EXPECT_EQ(Decode(std::string("\x01\x03\x00\xFD\xFF", 5) + "abc"), kInflateError);
  EXPECT_EQ(Decode(std::string("\x01\x04\x00\xFB\xFF", 5) + "abc"), kInflateError);

  // A non-final block with nothing after it runs out of input.
  EXPECT_EQ(Decode(std::string("\x00\x00\x00\xFF\xFF", 5)), kInflateError);
}

TEST(Inflate, DynamicCodeRules) {
  std::vector<int> lit(258, 0), dist(1, 0);
  auto with = [](std::vector<int> v, std::initializer_list<std::pair<int, int>> set) {
    for (auto [sym, len] : set) v[sym] = len;
    return v;
  };
  BitWriter w;
  InflateResult r;
  std::string out;

  // Only the end-of-block code, of any length, and no distance code: an empty block.
  for (int len : {1, 3, 15}) {
    DynamicHeader(w, with(lit, {{256, len}}), dist);
    w.Code(0, len);
    ASSERT_EQ(Decode(w.Done(), r), kInflateOk) << len;
    EXPECT_EQ(r.produced, 0u);
  }
  // That single code is all zero bits; other bits do not decode.
  DynamicHeader(w, with(lit, {{256, 3}}), dist);
  w.Code(1, 3);
  EXPECT_EQ(Decode(w.Done() + std::string(4, '\0')), kInflateError);

  // Literals with no distance code decode; a match then fails.
  DynamicHeader(w, with(lit, {{'x', 1}, {256, 2}, {257, 2}}), dist);
  w.Code(0, 1), w.Code(0, 1), w.Code(2, 2);
  ASSERT_EQ(Decode(w.Done(), r, &out, 2), kInflateOk);
  EXPECT_EQ(out, "xx");
  DynamicHeader(w, with(lit, {{'x', 1}, {256, 2}, {257, 2}}), dist);
  w.Code(0, 1), w.Code(3, 2), w.Code(0, 1);
  EXPECT_EQ(Decode(w.Done() + std::string(4, '\0')), kInflateError);

  // Over-subscribed, incomplete with two symbols, and no end-of-block code.
  DynamicHeader(w, with(lit, {{'x', 1}, {'y', 1}, {256, 1}}), dist);
  EXPECT_EQ(Decode(w.Done() + std::string(4, '\0')), kInflateError);
  DynamicHeader(w, with(lit, {{'x', 1}, {256, 2}}), dist);
  EXPECT_EQ(Decode(w.Done() + std::string(4, '\0')), kInflateError);
  DynamicHeader(w, with(lit, {{'x', 1}, {'y', 1}}), dist);
  EXPECT_EQ(Decode(w.Done() + std::string(4, '\0')), kInflateError);

  // HLIT or HDIST above 29.
  w.Bits(1, 1), w.Bits(2, 2), w.Bits(30, 5), w.Bits(0, 5);
  EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError);
  w.Bits(1, 1), w.Bits(2, 2), w.Bits(0, 5), w.Bits(30, 5);
  EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError);

  // A code-length code of symbols 16 and 0 (one bit each): 16 first has
  // nothing to repeat.
  w.Bits(1, 1), w.Bits(2, 2), w.Bits(0, 5), w.Bits(0, 5), w.Bits(0, 4);
  w.Bits(1, 3), w.Bits(0, 3), w.Bits(0, 3), w.Bits(1, 3);
  w.Code(1, 1), w.Bits(0, 2);
  EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError);
  // An incomplete code-length code (one symbol) is refused.
  w.Bits(1, 1), w.Bits(2, 2), w.Bits(0, 5), w.Bits(0, 5), w.Bits(0, 4);
  w.Bits(0, 3), w.Bits(0, 3), w.Bits(0, 3), w.Bits(1, 3);
  EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError);
  // Zero runs (18) past the announced 258 lengths.
  w.Bits(1, 1), w.Bits(2, 2), w.Bits(0, 5), w.Bits(0, 5), w.Bits(0, 4);
  w.Bits(0, 3), w.Bits(0, 3), w.Bits(1, 3), w.Bits(1, 3);  // 18 and 0, one bit each
  w.Code(1, 1), w.Bits(127, 7), w.Code(1, 1), w.Bits(127, 7);
  EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError);
}

TEST(Inflate, MatchesAtEveryShortDistanceAndEveryLength) {
  // Overlapping copies (distances below the copy word), runs of one byte,
  // word-sized and far distances, each with every length 3-258.
  std::vector<int> distances;
  for (int d = 1; d <= 40; ++d) distances.push_back(d);
  for (int d : {255, 256, 1000, 24577, 32768}) distances.push_back(d);
  std::mt19937 rng(7);
  BitWriter w;
  std::string expected;
  w.Bits(1, 1), w.Bits(1, 2);
  while (expected.size() < 32768) {
    int byte = static_cast<int>(rng() & 0xFF);
    FixedSymbol(w, byte);
    expected.push_back(static_cast<char>(byte));
  }
  for (int distance : distances)
    for (int length = 3; length <= 258; ++length) {
      FixedMatch(w, expected, length, distance);
      int byte = static_cast<int>(rng() & 0xFF);  // shifts the next match against the copy words
      FixedSymbol(w, byte);
      expected.push_back(static_cast<char>(byte));
    }
  FixedSymbol(w, 256);
  std::string stream = w.Done();
  InflateResult r;
  std::string out;
  ASSERT_EQ(Decode(stream, r, &out, expected.size()), kInflateOk);
  EXPECT_TRUE(out == expected);
  EXPECT_EQ(r.produced, expected.size());
  EXPECT_EQ(r.crc, ZlibCrc(expected));
}

TEST(Inflate, CodesLongerThanTheFirstLookupMatchZlib) {
  // Literal/length and distance codes of every length 1-15, so the longest
  // ones (literals, a length, the end of block, distances with extra bits)
  // are found through a second lookup.
  std::vector<int> lit(258, 0), dist(16, 0);
  const std::vector<int> chain = {'a', 257, 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm'};
  for (size_t i = 0; i < chain.size(); ++i) lit[static_cast<size_t>(chain[i])] = static_cast<int>(i) + 1;
  lit['n'] = lit[256] = 15;
  for (int sym = 0; sym < 14; ++sym) dist[static_cast<size_t>(sym)] = sym + 1;
  dist[14] = dist[15] = 15;
  std::vector<uint32_t> lit_codes = CanonicalCodes(lit), dist_codes = CanonicalCodes(dist);

  std::mt19937 rng(8);
  BitWriter w;
  std::string expected;
  DynamicHeader(w, lit, dist);
  for (int i = 0; i < 30000; ++i) {
    uint32_t pick = rng() % 16;
    int d = static_cast<int>(rng() % 16);
    uint32_t extra = rng() & ((1u << kDistExtra[d]) - 1);
    size_t distance = kDistBase[d] + extra;
    if (pick < 14 || distance > expected.size()) {
      int sym = pick < 14 ? 'a' + static_cast<int>(pick) : 'n';
      w.Code(lit_codes[static_cast<size_t>(sym)], lit[static_cast<size_t>(sym)]);
      expected.push_back(static_cast<char>(sym));
      continue;
    }
    w.Code(lit_codes[257], lit[257]);  // length 3
    w.Code(dist_codes[static_cast<size_t>(d)], dist[static_cast<size_t>(d)]);
    w.Bits(extra, kDistExtra[d]);
    for (int k = 0; k < 3; ++k) expected.push_back(expected[expected.size() - distance]);
  }
  w.Code(lit_codes[256], lit[256]);
  std::string stream = w.Done();
  ASSERT_EQ(ZlibInflate(stream, expected.size()), expected);
  InflateResult r;
  std::string out;
  ASSERT_EQ(Decode(stream, r, &out, expected.size()), kInflateOk);
  EXPECT_TRUE(out == expected);
}

TEST(Inflate, StopsSoonAfterTheLimit) {
  std::string data = RomLikeData(300000, 9);
  std::string stream = Deflate(data, 6);
  InflateResult r;
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size()), kInflateOk);
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size() - 1), kInflateOverLimit);

  // A bomb: 256 MiB of zeros claimed to be 1000 bytes stops within a chunk or so.
  std::string bomb = Deflate(std::string(256u << 20, '\0'), 9);
  EXPECT_EQ(Inflate(Bytes(bomb), bomb.size(), nullptr, 0, r, 1000), kInflateOverLimit);
  EXPECT_LT(r.produced, 1u << 20);
}
